#include "tests/engine/framework/drawables/DrawablesFixture.h"

#include "engine/framework/SMathMatrix.h"
#include "engine/framework/SSprite.h"
#include "engine/framework/SSpriteTransition.h"
#include "engine/framework/STextureFont.h"
#include "engine/framework/STextureFontTransition.h"
#include "engine/framework/SVertices.h"

using namespace drawables_test;
using namespace TarnEngine;

namespace {

class TransitionTest : public DrawablesTest {
protected:
    void SetUp() override
    {
        DrawablesTest::SetUp();
        platform::testing::SetFakeTime(10000);
    }
    boost::shared_ptr<SSprite> Sprite()
    {
        boost::shared_ptr<SSprite> sprite(new SSprite("s", false));
        sprite->Create(m_Viewport);
        sprite->m_ColorLU = 0x00123456;
        sprite->m_ColorRU = 0x00ABCDEF;
        sprite->m_ColorLD = 0x00000000;
        sprite->m_ColorRD = 0x00FFFFFF;
        return sprite;
    }
    // The sprite's alpha after the fade has run for ms from its start.
    static uint32_t AlphaAt(SSpriteTransition& fade, SSprite& sprite, DWORD ms)
    {
        platform::testing::SetFakeTime(10000 + ms);
        fade.Update();
        return sprite.m_ColorLU >> 24;
    }
};

} // namespace

TEST_F(TransitionTest, SpriteFadeOutFollowsAQuarterSineAndEndsHidden)
{
    auto sprite = Sprite();
    SSpriteTransition fade(500.0f);
    fade.SetSprite(sprite);
    fade.Start(STS_FADE_OUT);
    EXPECT_EQ(255u, AlphaAt(fade, *sprite, 0));
    EXPECT_EQ(74u, AlphaAt(fade, *sprite, 250));
    EXPECT_EQ(STS_FADE_OUT, fade.m_TransitionState);
    AlphaAt(fade, *sprite, 500); // still running at exactly the fade time
    EXPECT_EQ(STS_FADE_OUT, fade.m_TransitionState);
    EXPECT_EQ(0u, AlphaAt(fade, *sprite, 501));
    EXPECT_EQ(STS_HIDDEN, fade.m_TransitionState);
    EXPECT_EQ(0u, AlphaAt(fade, *sprite, 5000));
    // Every corner carries the alpha; red, green and blue are untouched.
    EXPECT_EQ(0x00123456u, sprite->m_ColorLU);
    EXPECT_EQ(0x00ABCDEFu, sprite->m_ColorRU);
    EXPECT_EQ(0x00FFFFFFu, sprite->m_ColorRD);
    EXPECT_FALSE(sprite->m_Cached);
}

TEST_F(TransitionTest, SpriteFadeInRunsBetweenItsLimits)
{
    auto sprite = Sprite();
    SSpriteTransition fade(2000.0f);
    fade.m_MinAlpha = 0.2f;
    fade.m_MaxAlpha = 0.8f;
    fade.SetSprite(sprite);
    fade.Start(STS_FADE_IN);
    EXPECT_EQ(51u, AlphaAt(fade, *sprite, 0));
    EXPECT_EQ(204u, AlphaAt(fade, *sprite, 2001));
    EXPECT_EQ(STS_SHOWN, fade.m_TransitionState);
    EXPECT_EQ(0x00ABCDEFu | 204u << 24, sprite->m_ColorRU);
}

TEST_F(TransitionTest, LimitsOutsideTheUnitRangeAreClampedToAByte)
{
    auto sprite = Sprite();
    SSpriteTransition fade(500.0f);
    fade.m_MinAlpha = -1.0f;
    fade.m_MaxAlpha = 2.0f;
    fade.SetSprite(sprite);
    fade.Start(STS_FADE_OUT);
    EXPECT_EQ(255u, AlphaAt(fade, *sprite, 0));
    EXPECT_EQ(0u, AlphaAt(fade, *sprite, 600));
    EXPECT_EQ(0x00ABCDEFu, sprite->m_ColorRU);
}

TEST_F(TransitionTest, AFadeWithoutASpriteOnlyMovesItsState)
{
    SSpriteTransition fade(500.0f);
    EXPECT_EQ(STS_SHOWN, fade.m_TransitionState);
    fade.Start(STS_FADE_IN);
    platform::testing::SetFakeTime(10600);
    fade.Update();
    EXPECT_EQ(STS_SHOWN, fade.m_TransitionState);
    EXPECT_EQ(std::string("NonameAnimator"), fade.m_Name);
}

TEST_F(TransitionTest, FadeTimeMustBePositive)
{
    for (float t : {0.0f, -5.0f, std::nanf("")}) {
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
    platform::testing::SetFakeTime(10250);
    fade.Update();
    EXPECT_EQ(74u, font->m_Color[0]);
    font->DoRender(IdentityMatrix());
    auto v = ReadVertices<SScreenVertex>(font->GetVertexBuffer());
    EXPECT_EQ(0x4A12FFFFu, v[0].colour);
    EXPECT_EQ(0x4A12FFFFu, v[7].colour);

    fade.Start(STS_FADE_IN);
    platform::testing::SetFakeTime(10250 + 501);
    fade.Update();
    EXPECT_EQ(STS_SHOWN, fade.m_TransitionState);
    EXPECT_EQ(255u, font->m_Color[0]);
    fade.Start(STS_FADE_OUT);
    platform::testing::SetFakeTime(20000);
    fade.Update();
    EXPECT_EQ(STS_HIDDEN, fade.m_TransitionState);
    EXPECT_EQ(0u, font->m_Color[0]);
}
