#include "game/app/kit/RGGameMode.h"

#include "engine/core/render/STextureLock.h"
#include "platform/testing_render.h"

#include "tests/support/HeadlessViewport.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

using namespace Runegarden;
namespace pt = platform::testing;

namespace {

// A headless viewport whose texture manager holds the fader's "BLACK".
class FaderTest : public tarn_test::HeadlessViewportTest {
protected:
    void SetUp() override
    {
        HeadlessViewportTest::SetUp();
        pt::SetFakeTime(100000);
        Open(1024, 768);
        CreateDevice(1024, 768);
    }
    // A "BLACK" of that size and Direct3D format (21: A8R8G8B8) in a fresh texture manager.
    void AddBlack(uint32_t width = 2, uint32_t height = 2, uint32_t format = 21)
    {
        m_Viewport->m_TextureManager.reset(new SCore::STextureManager);
        m_Black = m_Viewport->CreateTexture("BLACK");
        m_Black->SetRenderDevice(m_Viewport->m_RenderDevice);
        m_Black->DoCreateEx(width, height, 1, format);
        m_Viewport->m_TextureManager->AddTexture(m_Black);
    }
    // The four texels of the 2 x 2 "BLACK".
    std::vector<uint32_t> Texels()
    {
        SCore::STextureLock lock(m_Black);
        std::vector<uint32_t> texels;
        const uint8_t* row = static_cast<const uint8_t*>(lock.Locked().pBits);
        for (int y = 0; y < 2; ++y, row += lock.Locked().Pitch)
            for (int x = 0; x < 2; ++x) texels.push_back(reinterpret_cast<const uint32_t*>(row)[x]);
        return texels;
    }

    boost::shared_ptr<SCore::STexture> m_Black;
};

TEST_F(FaderTest, FadesFollowTheClockAndEndAtTheirFinalAlphaInEveryTexel)
{
    AddBlack();
    Fader fader(m_Viewport);
    const struct {
        bool toBlack;
        DWORD elapsed; // 0: the fade is asked for
        int32_t alpha;
        FaderState state;
    } steps[] = {
        {true, 0, 0, FS_FADINGIN},   {true, 250, 127, FS_FADINGIN}, {true, 500, 255, FS_BLACK},
        {false, 0, 255, FS_FADINGOUT}, {false, 100, 204, FS_FADINGOUT}, {false, 5000, 0, FS_CLEAR},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(std::to_string(s.toBlack) + " " + std::to_string(s.elapsed));
        if (s.elapsed == 0) {
            s.toBlack ? fader.FadeIn(0.5f) : fader.FadeOut(0.5f);
        } else {
            pt::SetFakeTime(100000 + s.elapsed);
            fader.Update();
        }
        EXPECT_EQ(fader.m_State, s.state);
        EXPECT_EQ(Texels(), std::vector<uint32_t>(4, uint32_t(s.alpha) << 24));
        if (s.state == FS_BLACK || s.state == FS_CLEAR) pt::SetFakeTime(100000);
    }
    // The splash's own overlay counts on the fader's layer over it, clear or not.
    const unsigned drawn = pt::DrawnPrimitives();
    fader.Render();
    EXPECT_EQ(pt::DrawnPrimitives(), drawn + 2) << "the clear fader's quad is drawn";
}

TEST_F(FaderTest, BlackThatIsNotA32BitTextureOfFourTexelsIsRefused)
{
    const struct {
        uint32_t width, height, format;
    } cases[] = {{1, 1, 21}, {2, 2, 23}};
    for (const auto& c : cases) {
        AddBlack(c.width, c.height, c.format);
        EXPECT_TRUE(tarn_test::ThrowsStartingWith([&] { Fader fader(m_Viewport); },
                                                  "texture BLACK must be a 32-bit texture"))
            << c.width << "x" << c.height << " format " << c.format;
    }
}

class RGGameModeTest : public FaderTest {
protected:
    void SetUp() override
    {
        FaderTest::SetUp();
        AddBlack();
        m_Fader.reset(new Fader(m_Viewport));
        m_Modes.reset(new RGGameMode(m_Fader, 0.5f));
    }
    void Step(DWORD ms)
    {
        pt::AdvanceFakeTime(ms);
        m_Modes->Update();
    }

    boost::shared_ptr<Fader> m_Fader;
    boost::shared_ptr<RGGameMode> m_Modes;
};

TEST_F(RGGameModeTest, AChangeSwitchesWhenTheScreenIsBlackAndTheLastRequestWins)
{
    EXPECT_EQ(m_Modes->m_CurrentMode, RGGM_SPLASH);
    EXPECT_TRUE(m_Modes->m_Changed) << "the splash mode starts clearing";
    Step(600);
    m_Modes->m_Changed = false;
    m_Modes->ChangeMode(RGGM_MENU);
    Step(300);
    EXPECT_EQ(m_Fader->GetAlpha(), 153);
    m_Modes->ChangeMode(RGGM_MAP);
    EXPECT_EQ(m_Fader->GetAlpha(), 0) << "a new request restarts the fade from clear";
    Step(499);
    EXPECT_EQ(m_Modes->m_CurrentMode, RGGM_SPLASH);
    EXPECT_FALSE(m_Modes->m_Changed);
    Step(1);
    EXPECT_EQ(m_Modes->m_CurrentMode, RGGM_MAP);
    EXPECT_EQ(m_Modes->m_PreviousMode, RGGM_SPLASH);
    EXPECT_TRUE(m_Modes->m_Changed);
    EXPECT_EQ(m_Fader->m_State, FS_FADINGOUT);
}

TEST_F(RGGameModeTest, ARequestForTheCurrentModeEntersItAgainAndClears)
{
    m_Modes->ChangeMode(RGGM_LOADING);
    Step(500);
    m_Modes->m_Changed = false;
    Step(500);
    m_Modes->ChangeMode(RGGM_LOADING);
    Step(500);
    EXPECT_EQ(m_Modes->m_CurrentMode, RGGM_LOADING);
    EXPECT_EQ(m_Modes->m_PreviousMode, RGGM_SPLASH) << "the previous mode stays";
    EXPECT_TRUE(m_Modes->m_Changed);
    Step(500);
    EXPECT_EQ(m_Fader->m_State, FS_CLEAR);
}

} // namespace
