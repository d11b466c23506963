#include "tests/engine/core/render/RenderEngineFixture.h"

#include "engine/core/render/SMaterial.h"
#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureAnimatorFloating.h"
#include "engine/core/render/STextureAnimatorFrame.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/core/serialization/SXMLSerializator.h"
#include "tests/support/TempDir.h"

#include <limits>

using SCore::SMaterial;

class MaterialTest : public RenderEngineTest {
protected:
    void SetUp() override
    {
        RenderEngineTest::SetUp();
        CreateDevice();
        for (const char* name : {"stone", "water"}) {
            auto t = m_Viewport->DoCreateTexture(name);
            t->DoCreateEx(64, 64, 1, D3DFMT_A8R8G8B8);
            m_Viewport->m_TextureManager->AddTexture(t);
        }
    }
    // Writes the material, keeps the file's text and reads it back with the given textures.
    SMaterial RoundTrip(const SMaterial& out, boost::shared_ptr<SCore::STextureManager> textures = {})
    {
        tarn_test::TempDir dir;
        SCore::SXMLSerializator writer(dir.WFile("material.xml"));
        out.Serialize(writer);
        writer.Flush();
        m_Written = tarn_test::ReadBytes(dir.File("material.xml"));
        SCore::SXMLDeserializator reader(dir.WFile("material.xml"));
        SMaterial in;
        in.Deserialize(reader, textures ? textures : m_Viewport->m_TextureManager);
        return in;
    }
    boost::shared_ptr<SCore::STexture> Texture(const char* name) { return m_Viewport->m_TextureManager->GetTexture(name); }

    std::string m_Written;
};

TEST_F(MaterialTest, RenderStatesSurviveARoundTripAndStageOperationsAreNotStored)
{
    SMaterial out;
    out.m_CullMode = 3;
    out.m_FillMode = 2;
    out.m_AlphaBlend = 1;
    out.m_SrcBlend = 2;
    out.m_DstBlend = 6;
    out.m_ZWrite = 0;
    out.m_Lighting = 1;
    out.m_IsFogEnable = 1;
    out.m_ColorOp = 2;
    out.m_AlphaOp = 4;
    SMaterial in = RoundTrip(out);
    EXPECT_EQ((std::vector<int64_t>{3, 2, 1, 2, 6, 0, 1, 1, 4, 2}),
              (std::vector<int64_t>{in.m_CullMode, in.m_FillMode, in.m_AlphaBlend, in.m_SrcBlend, in.m_DstBlend,
                                    in.m_ZWrite, in.m_Lighting, in.m_IsFogEnable, in.m_ColorOp, in.m_AlphaOp}));
    EXPECT_FALSE(in.m_Texture1);
    EXPECT_NE(std::string::npos, m_Written.find("Textures")) << m_Written;
    EXPECT_EQ(std::string::npos, m_Written.find("Texture1")) << m_Written;
}

TEST_F(MaterialTest, BothStagesKeepTheirOwnFiltrationAndAnimator)
{
    SMaterial out;
    out.m_Texture1 = Texture("stone");
    out.m_Texture2 = Texture("water");
    out.m_Filtration1.reset(new SCore::STextureFiltration);
    out.m_Filtration1->m_IsTrilinear = true;
    boost::shared_ptr<SCore::STextureAnimatorFrame> frame(new SCore::STextureAnimatorFrame("flip", 4, 2));
    frame->SetTexture(out.m_Texture1);
    frame->m_Inverse = true;
    boost::shared_ptr<SCore::STextureAnimatorFloating> scroll(new SCore::STextureAnimatorFloating("flow"));
    scroll->SetTexture(out.m_Texture2);
    scroll->m_Style = SCore::FS_MINUS_V;
    out.SetAnimator1(frame);
    out.SetAnimator2(scroll);

    SMaterial in = RoundTrip(out);
    EXPECT_EQ(Texture("stone"), in.m_Texture1);
    EXPECT_EQ(Texture("water"), in.m_Texture2);
    ASSERT_TRUE(in.m_Filtration1);
    EXPECT_TRUE(in.m_Filtration1->m_IsTrilinear);
    EXPECT_FALSE(in.m_Filtration2);
    ASSERT_TRUE(in.m_Animator1 && in.m_Animator2);
    ASSERT_EQ(SCore::FRAME, in.m_Animator1->GetType());
    EXPECT_TRUE(boost::static_pointer_cast<SCore::STextureAnimatorFrame>(in.m_Animator1)->m_Inverse);
    ASSERT_EQ(SCore::FLOATING, in.m_Animator2->GetType());
    EXPECT_EQ(Texture("water"), in.m_Animator2->GetTexture());
}

TEST_F(MaterialTest, OneAnimationGoesToTheStageWhoseTextureItNames)
{
    SMaterial out;
    out.m_Texture1 = Texture("stone");
    out.m_Texture2 = Texture("water");
    boost::shared_ptr<SCore::STextureAnimatorFloating> scroll(new SCore::STextureAnimatorFloating("flow"));
    scroll->SetTexture(out.m_Texture2);
    out.SetAnimator2(scroll);
    SMaterial in = RoundTrip(out);
    EXPECT_FALSE(in.m_Animator1);
    ASSERT_TRUE(in.m_Animator2);
    EXPECT_EQ("flow", in.m_Animator2->m_Name);
}

TEST_F(MaterialTest, AnAnimatorWithoutTextureIsWrittenWithAnEmptyName)
{
    tarn_test::TempDir dir;
    SCore::SXMLSerializator writer(dir.WFile("a.xml"));
    SCore::STextureAnimatorFrame("bare", 2, 2).DoSerialize(writer);
    writer.Flush();
    const std::string text = tarn_test::ReadBytes(dir.File("a.xml"));
    EXPECT_NE(std::string::npos, text.find("TextureName=\"\"")) << text;
}

TEST_F(MaterialTest, AnUnknownTextureNameFailsTheRead)
{
    SMaterial out;
    out.m_Texture1 = Texture("stone");
    boost::shared_ptr<SCore::STextureManager> none(new SCore::STextureManager);
    EXPECT_TRUE(StartsWith(ThrownText([&] { RoundTrip(out, none); }), "can't find texture:stone"));
}

TEST_F(MaterialTest, ANonFiniteAnimationSpeedFailsTheRead)
{
    for (float speed : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        for (bool frame : {true, false}) {
            SMaterial out;
            out.m_Texture1 = Texture("stone");
            boost::shared_ptr<SCore::STextureAnimator> a;
            if (frame) a.reset(new SCore::STextureAnimatorFrame("cells", 2, 2));
            else a.reset(new SCore::STextureAnimatorFloating("flow"));
            a->SetTexture(out.m_Texture1);
            a->m_AnimationSpeed = speed;
            out.SetAnimator1(a);
            EXPECT_TRUE(StartsWith(ThrownText([&] { RoundTrip(out); }), "AnimationSpeed is not a finite number"))
                << speed << " " << frame << " " << m_Written;
        }
    }
}
