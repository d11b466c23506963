#include "tests/engine/core/render/RenderEngineFixture.h"

#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureAnimatorFloating.h"
#include "engine/core/render/STextureAnimatorFrame.h"
#include "platform/testing_render.h"

#include <cstring>
#include <limits>

using platform::testing::AdvanceFakeTime;
using platform::testing::SetFakeTime;
using SCore::STextureAnimatorFrame;

namespace {

// The cell shown: the index of the transform equal to the texture's matrix.
int Cell(const STextureAnimatorFrame& a, const SCore::STexture& t)
{
    for (size_t i = 0; i < a.Transforms().size(); ++i)
        if (std::memcmp(&a.Transforms()[i], &t.m_TextureMatrix, sizeof(SCore::SMatrix)) == 0) return int(i);
    return -1;
}

} // namespace

class AnimatorTest : public RenderEngineTest {
protected:
    void SetUp() override
    {
        RenderEngineTest::SetUp();
        SetFakeTime(1000);
        CreateDevice();
        m_Texture = m_Viewport->DoCreateTexture("sheet");
        m_Texture->DoCreateEx(256, 256, 1, D3DFMT_A8R8G8B8);
    }
    boost::shared_ptr<STextureAnimatorFrame> Frame(uint32_t h, uint32_t v, float speed)
    {
        boost::shared_ptr<STextureAnimatorFrame> a(new STextureAnimatorFrame("a", h, v));
        a->m_AnimationSpeed = speed;
        a->SetTexture(m_Texture);
        return a;
    }
    int At(STextureAnimatorFrame& a, uint32_t ms)
    {
        SetFakeTime(a.m_Start + ms);
        a.Update();
        return Cell(a, *m_Texture);
    }
    boost::shared_ptr<SCore::STexture> m_Texture;
};

TEST_F(AnimatorTest, FrameAnimatorStepsThroughItsCells)
{
    auto a = Frame(4, 2, 8.0f);
    EXPECT_EQ(0, At(*a, 0));
    EXPECT_EQ(4, At(*a, 500));
    EXPECT_EQ(0, At(*a, 1000));
    a->m_Inverse = true;
    EXPECT_EQ(7, At(*a, 0));
    // The position is worked out in float: phase 0.7 of 10 cells is cell 7, not 6.
    auto still = Frame(10, 1, 0.0f);
    still->m_Phase = 0.7f;
    EXPECT_EQ(7, At(*still, 0));
    still->m_Phase = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(0, At(*still, 0));
    // A cell start between texels is snapped down: 0.3 of 256 is texel 76.
    auto b = Frame(1, 1, 1.0f);
    SCore::SRect indent;
    indent.X = 0.3f;
    indent.Width = 1.0f;
    indent.Height = 1.0f;
    b->SetIndent(indent);
    At(*b, 0);
    EXPECT_FLOAT_EQ(76.0f / 256.0f, m_Texture->m_TextureMatrix.m[2][0]);
    // On a sheet four times taller than wide, the last of four rows starts three quarters down.
    auto tall = m_Viewport->DoCreateTexture("tall");
    tall->DoCreateEx(64, 256, 1, D3DFMT_A8R8G8B8);
    auto rows = Frame(1, 4, 4.0f);
    rows->SetTexture(tall);
    SetFakeTime(rows->m_Start + 750);
    rows->Update();
    EXPECT_FLOAT_EQ(0.75f, tall->m_TextureMatrix.m[2][1]);
    // Thirds of that sheet start between texels: across, a third of 64 is texel 21; down, a
    // third of 256 is texel 85.
    auto thirds = Frame(3, 3, 8.0f);
    thirds->SetTexture(tall);
    SetFakeTime(thirds->m_Start + 500); // the middle cell
    thirds->Update();
    EXPECT_FLOAT_EQ(21.0f / 64.0f, tall->m_TextureMatrix.m[2][0]);
    EXPECT_FLOAT_EQ(85.0f / 256.0f, tall->m_TextureMatrix.m[2][1]);
}

TEST_F(AnimatorTest, PlayingOnceStopsAtTheFirstCellAndHoldingRestartsTheClock)
{
    auto a = Frame(4, 2, 8.0f);
    a->m_State = SCore::SAS_ONCE;
    EXPECT_EQ(4, At(*a, 500));
    At(*a, 1000); // p reaches n
    EXPECT_EQ(SCore::SAS_HOLD, a->m_State);
    EXPECT_EQ(0, At(*a, 1500));
    EXPECT_EQ(0, At(*a, 9000));
    a->m_Phase = 0.5f;
    EXPECT_EQ(4, At(*a, 12000));
}

TEST_F(AnimatorTest, FrameAnimatorSurvivesEmptyGridsNegativeSpeedsAndGridChanges)
{
    auto empty = Frame(0, 4, 8.0f);
    EXPECT_EQ(1.0f, m_Texture->m_TextureMatrix.m[0][0]);
    At(*empty, 700);
    EXPECT_EQ(1.0f, m_Texture->m_TextureMatrix.m[0][0]);
    EXPECT_EQ(0.0f, m_Texture->m_TextureMatrix.m[2][0]);

    auto backwards = Frame(4, 4, -20.0f);
    EXPECT_EQ(15, At(*backwards, 50));

    auto growing = Frame(4, 1, 1.0f);
    At(*growing, 0);
    growing->m_FrameVertical = 2;
    EXPECT_EQ(0, At(*growing, 0));
    EXPECT_EQ(8u, growing->Transforms().size());

    STextureAnimatorFrame bare("bare", 2, 2);
    bare.Update(); // no texture: nothing to drive
    EXPECT_FALSE(bare.AreTransformsReady());
}

TEST_F(AnimatorTest, FloatingAnimatorScrollsByStyle)
{
    SCore::STextureAnimatorFloating a("f");
    a.SetTexture(m_Texture);
    a.m_Step = 0.1f;
    a.m_AnimationSpeed = 2.0f;
    a.m_Style = SCore::FS_PLUS_U | SCore::FS_PLUS_V;
    SetFakeTime(4000);
    a.Update();
    EXPECT_NEAR(0.6f, m_Texture->m_TextureMatrix.m[2][0], 1e-5);
    EXPECT_NEAR(0.6f, m_Texture->m_TextureMatrix.m[2][1], 1e-5);
    a.m_Style = SCore::FS_PLUS_U | SCore::FS_MINUS_U;
    a.Update();
    EXPECT_EQ(0.0f, m_Texture->m_TextureMatrix.m[2][0]);
}

TEST_F(AnimatorTest, MaterialStagesDriveAnimationAndTransforms)
{
    SCore::SMaterial m;
    m.m_Texture1 = m_Texture;
    auto a = Frame(2, 1, 1.0f);
    m.SetAnimator1(a);
    m.m_Texture2 = m_Viewport->DoCreateTexture("detail");
    m.m_Texture2->DoCreateEx(16, 16, 1, D3DFMT_A8R8G8B8);
    m.m_Filtration2.reset(new SCore::STextureFiltration);
    m.m_Filtration2->m_IsBilinear = true;
    SetFakeTime(2500);
    Device().DoSetmaterial(m);
    IDirect3DDevice9& native = *Device().GetNativeDevice();
    DWORD filters[2];
    for (DWORD stage : {0, 1}) native.GetSamplerState(stage, D3DSAMP_MINFILTER, &filters[stage]);
    EXPECT_EQ(DWORD(D3DTEXF_POINT), filters[0]);
    EXPECT_EQ(DWORD(D3DTEXF_LINEAR), filters[1]) << "the second stage's own filtration";
    D3DMATRIX onDevice;
    native.GetTransform(D3DTS_TEXTURE0, &onDevice);
    EXPECT_EQ(0, std::memcmp(&onDevice, &m_Texture->m_TextureMatrix, sizeof onDevice));
    EXPECT_EQ(0.5f, onDevice.m[2][0]) << "the second of two cells";
    DWORD flags = 0;
    native.GetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, &flags);
    EXPECT_NE(0u, flags);
    SCore::SMaterial copy = m;
    copy.SetAnimator1(boost::shared_ptr<SCore::STextureAnimator>());
    Device().DoSetmaterial(copy);
    native.GetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, &flags);
    EXPECT_EQ(0u, flags);
}
