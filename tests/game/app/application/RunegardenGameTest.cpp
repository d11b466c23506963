#include "game/app/application/RunegardenGame.h"

#include "tests/game/app/application/GameFixture.h"
#include "tests/support/AudioTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

using namespace Runegarden;

namespace {

using RunegardenGameTest = apptest::GameTest;

TEST_F(RunegardenGameTest, EachModesHandlerRunsFromTheFrameOfTheSwitchAndExitEndsTheRun)
{
    Start();
    EXPECT_TRUE(m_Game->IsInitialised());
    EXPECT_EQ(m_Game->GetLoading()->GetProgressBar()->GetValue(), 1.0f);
    Frame();
    EXPECT_FALSE(Modes().m_Changed) << "the splash handler took the changed flag";
    Modes().ChangeMode(RGGM_MENU);
    Frame(500);
    ASSERT_EQ(Modes().m_CurrentMode, RGGM_MENU);
    EXPECT_FALSE(Modes().m_Changed) << "the new mode's handler ran in the frame of the switch";
    EXPECT_FALSE(m_Game->DoIsExit());
    EnterMode(RGGM_EXIT);
    EXPECT_TRUE(m_Game->DoIsExit());
}

// The start-up makes its objects in a fixed order: a texture missing for one of them ends it with
// everything made before and nothing made after.
TEST_F(RunegardenGameTest, AMissingTextureEndsTheStartUpWithTheObjectsMadeBeforeItsOwner)
{
    const std::string list = tarn_test::ReadBytes(std::string(TARN_DATA_DIR) + "/Res/textures.xml");
    tarn_test::TempDir dir;
    const struct {
        const char* texture; // of the in-game menu, of the score count
        bool music, menu;
    } cases[] = {{"GAMEMENU", false, false}, {"SCORELINE", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.texture);
        std::string without = list;
        const size_t at = without.find(std::string("Name=\"") + c.texture + "\"");
        ASSERT_NE(at, std::string::npos);
        const size_t from = without.rfind('\n', at), to = without.find('\n', at);
        without.erase(from, to - from);
        tarn_test::WriteBytes(dir.File("textures.xml"), without);
        const std::string thrown = tarn_test::ThrownText([&] { Start(false, dir.WFile("textures.xml")); });
        EXPECT_NE(thrown.find(c.texture), std::string::npos) << thrown;
        EXPECT_TRUE(m_Game->GetComicsPack() && m_Game->GetFrame()) << "made before the play sprites";
        EXPECT_EQ(bool(m_Game->GetMp3Player()), c.music);
        EXPECT_EQ(bool(m_Game->GetMenu()), c.menu);
        EXPECT_FALSE(m_Game->GetLevel()) << "the first level comes after the menus and the count";
        m_Game.reset();
    }
}

TEST_F(RunegardenGameTest, FocusLossPausesOnlyAClearPlayAndSilencesTheMusicUntilTheFocusReturns)
{
    Start();
    RGMp3Player& music = *m_Game->GetMp3Player();
    music.SetVolume(0.6f);
    // Whether a graph made after the first `after` runs (the music thread makes one per start).
    const auto newMusicRuns = [](size_t after) {
        return audiotest::WaitUntil([after] {
            const auto graphs = apptest::pt::Graphs();
            return graphs.size() > after && graphs.back().running;
        });
    };
    ASSERT_TRUE(newMusicRuns(0)) << "the menu music";
    const size_t before = apptest::pt::Graphs().size();
    m_Game->DoDeactivate();
    EXPECT_FALSE(m_Game->IsPaused()) << "not in play";
    EXPECT_TRUE(music.IsSilencedByFocus());
    EXPECT_FLOAT_EQ(music.GetSavedVolume(), 0.6f);
    music.SetVolume(0.0f);
    m_Game->DoActivate();
    EXPECT_FALSE(music.IsSilencedByFocus());
    EXPECT_FLOAT_EQ(music.GetVolume(), 0.6f);
    apptest::pt::AdvanceFakeTime(1000); // the fade the focus loss began ends
    EXPECT_TRUE(newMusicRuns(before)) << "the music plays again once the focus is back";

    EnterMode(RGGM_PLAY);
    EXPECT_TRUE(m_Game->IsStartPrompt());
    m_Game->DoDeactivate();
    EXPECT_FALSE(m_Game->IsFocusPaused()) << "the start prompt is not paused by focus";
    m_Game->DoActivate();
    m_Game->ClearStartPrompt();
    EXPECT_FALSE(m_Game->IsPaused());
    m_Game->DoDeactivate();
    EXPECT_TRUE(m_Game->IsPaused());
    m_Game->OnPauseButton();
    EXPECT_TRUE(m_Game->IsPaused()) << "the pause button waits for the focus";
    m_Game->DoActivate();
    EXPECT_TRUE(m_Game->IsPaused()) << "the player unpauses";
    m_Game->OnPauseButton();
    EXPECT_FALSE(m_Game->IsPaused());
    m_Game->OnPauseButton();
    EXPECT_TRUE(m_Game->IsPaused());
}

TEST_F(RunegardenGameTest, FocusAndDeviceEventsBeforeTheObjectsExistDoNothing)
{
    m_Game.reset(new apptest::TestGame(false));
    m_Game->DoDeviceLost();
    m_Game->DoDeviceRestored();
    EXPECT_FALSE(m_Game->IsPaused());
    EXPECT_FALSE(m_Game->DoIsExit());
}

TEST_F(RunegardenGameTest, CursorFollowsTheMouseWithTheWindowedOffset)
{
    Start();
    m_Game->m_Cursor.reset(new TarnEngine::SSprite("cursor", false));
    apptest::pt::InjectMouseMove(512, 192);
    MSG msg;
    for (int i = 0; i < 100 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    }
    for (bool fullScreen : {true, false}) {
        gProfileManager->IsFullScreen = fullScreen;
        m_Game->UpdateCursor();
        const float offset = fullScreen ? 0.0f : 0.01f;
        EXPECT_FLOAT_EQ(m_Game->m_Cursor->m_Position.X, 0.5f + offset) << fullScreen;
        EXPECT_FLOAT_EQ(m_Game->m_Cursor->m_Position.Y, 0.25f + offset) << fullScreen;
    }
}

} // namespace
