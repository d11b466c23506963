#include "game/app/application/RGGameMode.h"

#include "engine/core/render/STextureLock.h"

#include "tests/game/app/application/AppViewport.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

using namespace Runegarden;
using apptest::pt::AdvanceFakeTime;

namespace {

class FaderTest : public apptest::AppViewportTest {
protected:
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

TEST_F(FaderTest, FadesFollowTheClockAndEndAtTheirFinalAlpha)
{
    m_Black = AddTexture("BLACK", 2, 2);
    Fader fader(m_Viewport);
    EXPECT_EQ(fader.m_State, FS_BLACK);
    const struct {
        bool toBlack;
        DWORD elapsed;
        int32_t alpha;
        FaderState state;
    } steps[] = {
        {true, 0, 0, FS_FADINGIN},   {true, 250, 127, FS_FADINGIN}, {true, 500, 255, FS_BLACK},
        {false, 0, 255, FS_FADINGOUT}, {false, 100, 204, FS_FADINGOUT}, {false, 5000, 0, FS_CLEAR},
    };
    for (const auto& s : steps) {
        if (s.elapsed == 0) {
            s.toBlack ? fader.FadeIn(0.5f) : fader.FadeOut(0.5f);
        } else {
            apptest::pt::SetFakeTime(100000 + s.elapsed);
            fader.Update();
        }
        EXPECT_EQ(fader.GetAlpha(), s.alpha) << s.toBlack << " " << s.elapsed;
        EXPECT_EQ(fader.m_State, s.state) << s.toBlack << " " << s.elapsed;
        EXPECT_EQ(Texels(), std::vector<uint32_t>(4, uint32_t(s.alpha) << 24)) << "every texel of BLACK";
        if (s.state == FS_BLACK || s.state == FS_CLEAR) apptest::pt::SetFakeTime(100000);
    }
}

TEST_F(FaderTest, BlackThatIsNotA32BitTextureOfFourTexelsIsRefused)
{
    const struct {
        uint32_t width, height, format;
    } cases[] = {{1, 1, 21}, {2, 2, 23}};
    for (const auto& c : cases) {
        m_Viewport->m_TextureManager.reset(new SCore::STextureManager);
        AddTexture("BLACK", c.width, c.height, c.format);
        EXPECT_TRUE(tarn_test::StartsWith(tarn_test::ThrownText([&] { Fader fader(m_Viewport); }),
                                          "texture BLACK must be a 32-bit texture"))
            << c.width << "x" << c.height << " format " << c.format;
    }
}

class RGGameModeTest : public apptest::AppViewportTest {
protected:
    void SetUp() override
    {
        apptest::AppViewportTest::SetUp();
        AddTexture("BLACK", 2, 2);
        m_Fader.reset(new Fader(m_Viewport));
        m_Modes.reset(new RGGameMode(m_Fader, 0.5f));
    }
    void Step(DWORD ms)
    {
        AdvanceFakeTime(ms);
        m_Modes->Update();
    }

    boost::shared_ptr<Fader> m_Fader;
    boost::shared_ptr<RGGameMode> m_Modes;
};

TEST_F(RGGameModeTest, StartsInTheSplashModeClearingWithTheChangedFlagSet)
{
    EXPECT_EQ(m_Modes->m_CurrentMode, RGGM_SPLASH);
    EXPECT_TRUE(m_Modes->m_Changed);
    EXPECT_EQ(m_Fader->m_State, FS_FADINGOUT);
    Step(500);
    EXPECT_EQ(m_Fader->m_State, FS_CLEAR);
}

TEST_F(RGGameModeTest, AChangeSwitchesWhenTheScreenIsBlackAndTheLastRequestWins)
{
    Step(600);
    m_Modes->m_Changed = false;
    m_Modes->ChangeMode(RGGM_MENU);
    Step(300);
    EXPECT_EQ(m_Fader->GetAlpha(), 153);
    m_Modes->ChangeMode(RGGM_MAP);
    EXPECT_EQ(m_Fader->GetAlpha(), 0) << "a new request restarts the fade from clear";
    EXPECT_EQ(m_Modes->GetPendingMode(), RGGM_MAP);
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
