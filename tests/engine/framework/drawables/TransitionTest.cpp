#include "tests/engine/framework/drawables/DrawablesFixture.h"

#include "engine/framework/drawables/SMathMatrix.h"
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

TEST_F(TransitionTest, AlphaRunsBetweenTheLimitsClampedToAByteAndEndsInTheEndState)
{
    struct Case {
        float time, min, max;
        STransitionState start, end;
        uint32_t first, half, last; // half: at half the time, 0 when not checked
    } cases[] = {
        {500.0f, 0.0f, 1.0f, STS_FADE_OUT, STS_HIDDEN, 255, 74, 0}, // a quarter sine
        {2000.0f, 0.2f, 0.8f, STS_FADE_IN, STS_SHOWN, 51, 0, 204},
        {500.0f, -1.0f, 2.0f, STS_FADE_OUT, STS_HIDDEN, 255, 0, 0},
    };
    for (const Case& c : cases) {
        pt::SetFakeTime(10000);
        SSpriteTransition fade(c.time);
        fade.m_MinAlpha = c.min;
        fade.m_MaxAlpha = c.max;
        fade.SetSprite(m_Sprite);
        fade.Start(c.start);
        EXPECT_EQ(c.first, AlphaAt(fade, 0)) << c.min;
        if (c.half) {
            EXPECT_EQ(c.half, AlphaAt(fade, DWORD(c.time) / 2)) << c.min;
        }
        AlphaAt(fade, DWORD(c.time));
        EXPECT_EQ(c.start, fade.m_TransitionState) << "still running at exactly the fade time, " << c.min;
        EXPECT_EQ(c.last, AlphaAt(fade, DWORD(c.time) + 1)) << c.min;
        EXPECT_EQ(c.end, fade.m_TransitionState) << c.min;
        // Every corner carries the alpha; red, green and blue are untouched.
        EXPECT_EQ(0x00123456u | c.last << 24, m_Sprite->m_ColorLU) << c.min;
        EXPECT_EQ(0x00ABCDEFu | c.last << 24, m_Sprite->m_ColorRU) << c.min;
        EXPECT_EQ(c.last << 24, m_Sprite->m_ColorLD) << c.min;
        EXPECT_EQ(0x00FFFFFFu | c.last << 24, m_Sprite->m_ColorRD) << c.min;
        EXPECT_FALSE(m_Sprite->m_Cached) << c.min;
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
    // Half way through a quarter sine: 74 left fading out, 180 reached fading in.
    for (auto [direction, colour] : {std::pair{STS_FADE_OUT, 0x4A12FFFFu}, std::pair{STS_FADE_IN, 0xB412FFFFu}}) {
        pt::SetFakeTime(10000);
        STextureFontTransition fade(500.0f);
        fade.SetFont(font);
        fade.Start(direction);
        pt::SetFakeTime(10250);
        fade.Update();
        font->DoRender(IdentityMatrix());
        auto v = ReadVertices<SScreenVertex>(font->GetVertexBuffer());
        EXPECT_EQ(colour, v[0].colour) << direction;
        EXPECT_EQ(colour, v[7].colour) << direction;
    }
}
