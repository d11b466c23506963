#include "tests/engine/core/render/RenderEngineFixture.h"

#include "engine/core/SMaterial.h"
#include "engine/core/STexture.h"
#include "engine/core/STextureAnimatorFloating.h"
#include "engine/core/STextureAnimatorFrame.h"
#include "engine/core/STextureManager.h"
#include "engine/core/SXMLDeserializator.h"
#include "engine/core/SXMLSerializator.h"
#include "tests/support/TempDir.h"

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
    SMaterial RoundTrip(const SMaterial& out)
    {
        tarn_test::TempDir dir;
        SCore::SXMLSerializator writer(dir.WFile("material.xml"));
        out.Serialize(writer);
        writer.Flush();
        m_Written = tarn_test::ReadBytes(dir.File("material.xml"));
        SCore::SXMLDeserializator reader(dir.WFile("material.xml"));
        SMaterial in;
        in.Deserialize(reader, m_Viewport->m_TextureManager);
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
    EXPECT_EQ(3u, in.m_CullMode);
    EXPECT_EQ(2u, in.m_FillMode);
    EXPECT_EQ(1, in.m_AlphaBlend);
    EXPECT_EQ(2u, in.m_SrcBlend);
    EXPECT_EQ(6u, in.m_DstBlend);
    EXPECT_EQ(0, in.m_ZWrite);
    EXPECT_EQ(1, in.m_Lighting);
    EXPECT_EQ(1, in.m_IsFogEnable);
    EXPECT_EQ(4u, in.m_ColorOp);
    EXPECT_EQ(2u, in.m_AlphaOp);
    EXPECT_FALSE(in.m_Texture1);
    EXPECT_NE(std::string::npos, m_Written.find("Textures")) << m_Written;
    EXPECT_EQ(std::string::npos, m_Written.find("Texture1")) << m_Written;
    SMaterial copy = out;
    EXPECT_EQ(2u, copy.m_ColorOp);
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
    frame->m_AnimationSpeed = 8.0f;
    frame->m_Inverse = true;
    boost::shared_ptr<SCore::STextureAnimatorFloating> scroll(new SCore::STextureAnimatorFloating("flow"));
    scroll->SetTexture(out.m_Texture2);
    scroll->m_Style = SCore::FS_MINUS_V;
    scroll->m_Step = 0.25f;
    out.SetAnimator1(frame);
    out.SetAnimator2(scroll);

    SMaterial in = RoundTrip(out);
    EXPECT_EQ(Texture("stone"), in.m_Texture1);
    EXPECT_EQ(Texture("water"), in.m_Texture2);
    ASSERT_TRUE(in.m_Filtration1);
    EXPECT_TRUE(in.m_Filtration1->m_IsTrilinear);
    EXPECT_FALSE(in.m_Filtration2);
    ASSERT_TRUE(in.m_Animator1);
    ASSERT_TRUE(in.m_Animator2);
    ASSERT_EQ(SCore::FRAME, in.m_Animator1->GetType());
    ASSERT_EQ(SCore::FLOATING, in.m_Animator2->GetType());
    auto readFrame = boost::static_pointer_cast<SCore::STextureAnimatorFrame>(in.m_Animator1);
    EXPECT_EQ("flip", readFrame->m_Name);
    EXPECT_EQ(4u, readFrame->m_FrameHorizontal);
    EXPECT_EQ(2u, readFrame->m_FrameVertical);
    EXPECT_TRUE(readFrame->m_Inverse);
    EXPECT_EQ(8u, readFrame->Transforms().size());
    auto readScroll = boost::static_pointer_cast<SCore::STextureAnimatorFloating>(in.m_Animator2);
    EXPECT_EQ("flow", readScroll->m_Name);
    EXPECT_EQ(8u, readScroll->m_Style);
    EXPECT_EQ(0.25f, readScroll->m_Step);
    EXPECT_EQ(Texture("water"), readScroll->GetTexture());
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
    SCore::STextureAnimatorFrame bare("bare", 2, 2);
    bare.DoSerialize(writer);
    writer.Flush();
    std::string text = tarn_test::ReadBytes(dir.File("a.xml"));
    EXPECT_NE(std::string::npos, text.find("TextureName=\"\"")) << text;
}

TEST_F(MaterialTest, AnUnknownTextureNameFailsTheRead)
{
    SMaterial out;
    out.m_Texture1 = Texture("stone");
    tarn_test::TempDir dir;
    SCore::SXMLSerializator writer(dir.WFile("m.xml"));
    out.Serialize(writer);
    writer.Flush();
    boost::shared_ptr<SCore::STextureManager> none(new SCore::STextureManager);
    SCore::SXMLDeserializator reader(dir.WFile("m.xml"));
    SMaterial in;
    EXPECT_TRUE(StartsWith(ThrownText([&] { in.Deserialize(reader, none); }), "can't find texture:stone"));
}
