#include "tests/engine/framework/drawables/DrawablesFixture.h"

#include "engine/framework/scene/SMathMatrix.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/SSpriteTransition.h"
#include "engine/framework/drawables/STextureFont.h"
#include "engine/framework/drawables/STextureFontTransition.h"
#include "engine/framework/drawables/SVertices.h"

using namespace drawables_test;
using namespace TarnEngine;

namespace {

class TransitionTest : public DrawablesTest {
protected:
    void SetUp() override
    {
        DrawablesTest::SetUp();
        pt::SetFakeTime(10000);
        m_Sprite.reset(new SSprite("s", false));
        m_Sprite->Create(m_Viewport);
        m_Sprite->m_ColorLU = 0x00123456;
        m_Sprite->m_ColorRU = 0x00ABCDEF;
        m_Sprite->m_ColorLD = 0x00000000;
        m_Sprite->m_ColorRD = 0x00FFFFFF;
    }
    // The sprite's alpha after the fade has run for ms from its start.
    uint32_t AlphaAt(SSpriteTransition& fade, DWORD ms)
    {
        pt::SetFakeTime(10000 + ms);
        fade.Update();
        return m_Sprite->m_ColorLU >> 24;
    }
    boost::shared_ptr<SSprite> m_Sprite;
};

} // namespace

TEST_F(TransitionTest, SpriteFadeOutFollowsAQuarterSineAndEndsHidden)
{
    SSpriteTransition fade(500.0f);
    fade.SetSprite(m_Sprite);
    fade.Start(STS_FADE_OUT);
    EXPECT_EQ(255u, AlphaAt(fade, 0));
    EXPECT_EQ(74u, AlphaAt(fade, 250));
    AlphaAt(fade, 500); // still running at exactly the fade time
    EXPECT_EQ(STS_FADE_OUT, fade.m_TransitionState);
    EXPECT_EQ(0u, AlphaAt(fade, 501));
    EXPECT_EQ(STS_HIDDEN, fade.m_TransitionState);
    // Every corner carries the alpha; red, green and blue are untouched.
    EXPECT_EQ(0x00123456u, m_Sprite->m_ColorLU);
    EXPECT_EQ(0x00FFFFFFu, m_Sprite->m_ColorRD);
    EXPECT_FALSE(m_Sprite->m_Cached);
}

TEST_F(TransitionTest, LimitsBoundTheAlphaAndAreClampedToAByte)
{
    struct Case {
        float time, min, max;
        STransitionState start, end;
        uint32_t first, last;
    } cases[] = {
        {2000.0f, 0.2f, 0.8f, STS_FADE_IN, STS_SHOWN, 51, 204},
        {500.0f, -1.0f, 2.0f, STS_FADE_OUT, STS_HIDDEN, 255, 0},
    };
    for (const Case& c : cases) {
        pt::SetFakeTime(10000);
        SSpriteTransition fade(c.time);
        fade.m_MinAlpha = c.min;
        fade.m_MaxAlpha = c.max;
        fade.SetSprite(m_Sprite);
        fade.Start(c.start);
        EXPECT_EQ(c.first, AlphaAt(fade, 0)) << c.min;
        EXPECT_EQ(c.last, AlphaAt(fade, DWORD(c.time) + 1)) << c.min;
        EXPECT_EQ(c.end, fade.m_TransitionState) << c.min;
        EXPECT_EQ(0x00ABCDEFu | c.last << 24, m_Sprite->m_ColorRU) << c.min;
    }
}

TEST_F(TransitionTest, FadeTimeMustBePositive)
{
    for (float t : {0.0f, std::nanf("")}) {
        EXPECT_EQ("m_fadeTime > 0", ThrownText([&] { SSpriteTransition fade(t); })) << t;
        EXPECT_EQ("m_fadeTime > 0", ThrownText([&] { STextureFontTransition fade(t); })) << t;
    }
}

TEST_F(TransitionTest, FontFadeReachesTheGlyphVertices)
{
    boost::shared_ptr<STextureFont> font(new STextureFont(16, 16, 1));
    font->Create(m_Viewport);
    font->m_GlyphWidth = font->m_GlyphHeight = 0.1f;
    font->m_Color[1] = 0x12;
    font->SetText("hi");
    font->DoRender(IdentityMatrix());
    STextureFontTransition fade(500.0f);
    fade.SetFont(font);
    fade.Start(STS_FADE_OUT);
    pt::SetFakeTime(10250);
    fade.Update();
    font->DoRender(IdentityMatrix());
    auto v = ReadVertices<SScreenVertex>(font->GetVertexBuffer());
    EXPECT_EQ(0x4A12FFFFu, v[0].colour);
    EXPECT_EQ(0x4A12FFFFu, v[7].colour);
}
