#include "game/app/application/RunegardenGame.h"

#include "engine/framework/input/SInputMessager.h"
#include "game/app/screens/RGScoreCount.h"
#include "game/audio/RGSoundManager.h"
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/levels/RGLevelPack.h"
#include "game/gameplay/scripting/RGPythonHandle.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/levels/RGLevelPacks.h"

#include "tests/game/app/application/GameFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <tuple>

using namespace Runegarden;
namespace pt = platform::testing;

namespace {

class RGPlayModeTest : public apptest::GameTest {
protected:
    void SetUp() override
    {
        apptest::GameTest::SetUp();
        m_Save.WriteUsers("<Users><Userprofiles Current=\"ANN\" MusicVolume=\"1\" SoundVolume=\"1\" IsFullScreen=\"0\">"
                          "<Userprofile Name=\"ANN\" Score=\"4200\" Lifes=\"2\" Level=\"\" BonusLevel=\"bonus2\"/>"
                          "</Userprofiles></Users>");
        Start();
    }
    RGUserProfile& Profile() { return *gProfileManager->GetCurrent(); }
    // A tap, and a frame that sees the key up: the input thread may have read it down once more
    // before the release, and that reading is still owed to the next frame.
    void Key(BYTE key)
    {
        pt::InjectKeyDown(key);
        Frame(20);
        pt::InjectKeyUp(key);
        Frame(20);
        Frame(20);
    }
    // Loads the main pack's current level through the loading mode and enters play with the start
    // prompt showing.
    void EnterPlay()
    {
        m_Game->StartLevelLoading();
        for (int i = 0; i < 200 && Modes().m_CurrentMode != RGGM_LOADING; ++i) Frame(20);
        for (int i = 0; i < 200 && Modes().m_CurrentMode != RGGM_PLAY; ++i) Frame(20);
        for (int i = 0; i < 30; ++i) Frame(20);
    }
    // A held left button moving through the window pixels, then released.
    void Stroke(const std::vector<std::pair<int, int>>& points)
    {
        pt::InjectMouseMove(points.front().first, points.front().second);
        Frame(20);
        pt::InjectMouseButton(1, true);
        for (const auto& p : points) {
            pt::InjectMouseMove(p.first, p.second);
            Frame(20);
        }
        pt::InjectMouseButton(1, false);
        Frame(20);
    }
    bool Playing(const char* sound) { return gSoundManager->IsPlaying(sound); }
    // The developer's chord: Ctrl+R+G ends the level as done.
    void DeveloperChord()
    {
        for (BYTE key : {BYTE(VK_CONTROL), BYTE('R'), BYTE('G')}) pt::InjectKeyDown(key);
        Frame(20);
        for (BYTE key : {BYTE(VK_CONTROL), BYTE('R'), BYTE('G')}) pt::InjectKeyUp(key);
    }
    // A vertical stroke of the given height in window pixels, centred on (x, y).
    void Line(int x, int y, int height)
    {
        std::vector<std::pair<int, int>> points;
        for (int i = 0; i <= 12; ++i) points.push_back({x, y - height / 2 + height * i / 12});
        Stroke(points);
    }
};

TEST_F(RGPlayModeTest, LoadingBuildsTheLevelBooksItAndOpensPlayWithTheStartPrompt)
{
    EnterPlay();
    ASSERT_EQ(Modes().m_CurrentMode, RGGM_PLAY);
    EXPECT_EQ(m_Game->GetLevel()->m_Name, "level1");
    EXPECT_EQ(Profile().Level, "level1");
    EXPECT_EQ(Profile().LevelShowName, "1-1");
    EXPECT_EQ(RGLevelPacks::Bonus()->GetCurrentLevelName(), "bonus2") << "the bonus progress kept from the profile";
    EXPECT_EQ(m_Game->GetFrame()->m_LevelLabel->GetText(), L"1-1");
    EXPECT_EQ(m_Game->GetFrame()->m_ActorCount, 3);
    EXPECT_TRUE(m_Game->IsStartPrompt());
    EXPECT_TRUE(m_Game->IsPaused());

    // A click clears the prompt and draws nothing.
    pt::InjectMouseMove(600, 300);
    pt::InjectMouseButton(1, true);
    Frame(20);
    EXPECT_FALSE(m_Game->IsStartPrompt());
    EXPECT_FALSE(m_Game->IsPaused());
    RGStrokeRect rect = {0, 0, 0, 0};
    m_Game->m_Painter->GetStrokeGrid(rect);
    EXPECT_EQ(rect.width, 1u) << "no ink in the frame of the click";
    pt::InjectMouseButton(1, false);
    Frame(20);
}

TEST_F(RGPlayModeTest, KeysPressedBeforeTheLevelOpenedAreNotTakenByItAndAHeldSpaceCountsWhenPressedAgain)
{
    pt::InjectMouseMove(600, 300); // clear of the scroll zones
    Frame(20);
    // Tapped on the screens before: a space as in a player's name, the Right arrow, Escape.
    for (BYTE key : {BYTE(VK_SPACE), BYTE(VK_RIGHT), BYTE(VK_ESCAPE)}) Key(key);
    EnterPlay();
    ASSERT_EQ(Modes().m_CurrentMode, RGGM_PLAY);
    EXPECT_TRUE(m_Game->IsStartPrompt());
    EXPECT_TRUE(m_Game->IsPaused());
    EXPECT_EQ(m_Game->GetLevel()->GetViewBody().m_Position.X, 0.0f) << "the view did not scroll";
    m_Game->ClearStartPrompt();
    Frame(20);
    EXPECT_NE(m_Game->GetGameMenu()->GetCurrentFormName(), "GameMenuForm");
    EXPECT_FALSE(m_Game->IsPaused());

    // Space goes down while the level loads and is held across its start.
    m_Game->StartLevelLoading();
    Frame(500);
    ASSERT_EQ(Modes().m_CurrentMode, RGGM_LOADING);
    pt::InjectKeyDown(VK_SPACE);
    for (int i = 0; i < 200 && Modes().m_CurrentMode != RGGM_PLAY; ++i) Frame(20);
    for (int i = 0; i < 5; ++i) Frame(20);
    EXPECT_TRUE(m_Game->IsStartPrompt()) << "held since before the level";
    pt::InjectKeyUp(VK_SPACE);
    Frame(20);
    EXPECT_TRUE(m_Game->IsStartPrompt());
    Key(VK_SPACE);
    EXPECT_FALSE(m_Game->IsStartPrompt()) << "pressed again";
    EXPECT_FALSE(m_Game->IsPaused());
}

TEST_F(RGPlayModeTest, SpaceLeavesTheStartPromptOfEachLevelAndThenTogglesThePause)
{
    for (const char* level : {"level1", "lvl2"}) {
        SCOPED_TRACE(level);
        RGLevelPacks::Main()->SetCurrentLevel(level);
        EnterPlay();
        ASSERT_EQ(m_Game->GetLevel()->m_Name, level);
        ASSERT_TRUE(m_Game->IsStartPrompt());
        Key(VK_SPACE);
        EXPECT_FALSE(m_Game->IsStartPrompt());
        EXPECT_FALSE(m_Game->IsPaused());
        Key(VK_SPACE);
        EXPECT_TRUE(m_Game->IsPaused());
        Key(VK_SPACE);
        EXPECT_FALSE(m_Game->IsPaused());
    }
}

TEST_F(RGPlayModeTest, TheHudShowsTimeScoreAndLivesOfTheProfile)
{
    EnterPlay();
    m_Game->GetLevel()->m_RemainingPlayTime = 125.7f;
    m_Game->RenderPlay();
    EXPECT_EQ(m_Game->GetFrame()->m_TimeLabel->GetText(), L"02:05");
    EXPECT_EQ(m_Game->GetFrame()->m_ScoreLabel->GetText(), L"000004200");
    EXPECT_EQ(m_Game->GetFrame()->m_Lives, 2);
    m_Game->GetLevel()->m_RemainingPlayTime = 3600.0f;
    m_Game->RenderPlay();
    EXPECT_EQ(m_Game->GetFrame()->m_TimeLabel->GetText(), L"60:00");
}

TEST_F(RGPlayModeTest, ARecognisedSpellIsBookedAndAFailedStrokeSoundsOnlyWhenLargerThanADot)
{
    EnterPlay();
    Stroke({{600, 300}}); // the click that clears the start prompt

    // The wall gesture where level 1 takes a wall: booked at once, 100 points.
    Line(560, 560, 150);
    EXPECT_EQ(Profile().Score, 4300u);
    EXPECT_EQ(gProfileManager->m_HighScore.m_Entries.front().BestScore, 4300u);
    EXPECT_FALSE(Playing("RecErr"));

    // A dot fails silently; a zigzag across, which is no gesture, plays "RecErr". (A narrow
    // zigzag drawn downwards is a wall drawn with a shaking hand.)
    Stroke({{700, 300}, {701, 300}});
    EXPECT_FALSE(Playing("RecErr"));
    Stroke({{700, 300}, {730, 340}, {760, 300}, {790, 340}});
    EXPECT_TRUE(Playing("RecErr"));
    EXPECT_EQ(Profile().Score, 4300u);
}

TEST_F(RGPlayModeTest, DyingActorsCostLivesAndTheLastLifeEndsInGameOverOnce)
{
    EnterPlay();
    RGLevelPacks::Main()->SetCurrentLevel("lvl2");
    std::vector<boost::shared_ptr<RGPythonObject>> actors;
    m_Game->GetLevel()->GetActors(actors);
    ASSERT_EQ(actors.size(), 3u);
    actors[0]->SetPropertyValueBoolean(RGPythonHandle::FromName("islife"), false);
    Frame(20);
    EXPECT_EQ(Profile().Lifes, 1);
    actors[1]->SetPropertyValueBoolean(RGPythonHandle::FromName("islife"), false);
    Frame(20);
    EXPECT_EQ(Profile().Lifes, 0);
    EXPECT_EQ(Modes().GetPendingMode(), RGGM_GAMEOVER) << "the death that takes the last life ends the game";
    EXPECT_EQ(RGLevelPacks::Main()->GetCurrentIndex(), 0u) << "the main pack starts again";
    for (int i = 0; i < 30; ++i) Frame(20);
    ASSERT_EQ(Modes().m_CurrentMode, RGGM_GAMEOVER);

    pt::InjectMouseButton(1, true);
    Frame(20);
    pt::InjectMouseButton(1, false);
    EXPECT_EQ(Modes().GetPendingMode(), RGGM_MAP);
    Frame(20);
    EXPECT_EQ(Profile().Lifes, 1);
}

TEST_F(RGPlayModeTest, WindowMessageUserReadsThePacksAgainAndLoadsTheCurrentLevelFromAPausedPlay)
{
    EnterPlay();
    m_Game->OnPauseButton();
    RGLevelPacks::Main()->SetCurrentLevel("lvl2");
    const unsigned count = RGLevelPacks::Main()->GetLevelCount();
    m_Game->DoWindowMessage(WM_USER, 0, 0);
    EXPECT_FALSE(m_Game->IsPaused());
    EXPECT_EQ(RGLevelPacks::Main()->GetLevelCount(), count);
    EXPECT_EQ(RGLevelPacks::Main()->GetCurrentLevelName(), "lvl2");
    Frame(500);
    EXPECT_EQ(Modes().m_CurrentMode, RGGM_LOADING);
    m_Game->DoWindowMessage(WM_USER, 0, 0);
    Frame(500);
    Frame(500);
    EXPECT_EQ(m_Game->GetLevel()->m_Name, "lvl2");
    EXPECT_EQ(m_Game->GetGameMode()->GetFader()->m_State, FS_CLEAR) << "loading again never stays black";
}

TEST_F(RGPlayModeTest, LoadingFillsTheBarForOneAndAHalfSecondsThenPlaysTheLevelsMusic)
{
    const struct {
        const char* level;
        const char* music;
    } cases[] = {{"level1", "sounds\\playtime.mp3"}, {"lvl2", "sounds\\playtimew.mp3"}};
    for (const auto& c : cases) {
        RGLevelPacks::Main()->SetCurrentLevel(c.level);
        m_Game->GetMp3Player()->FadeOut(); // as the map does before it loads a level
        m_Game->StartLevelLoading();
        Frame(500);
        ASSERT_EQ(Modes().m_CurrentMode, RGGM_LOADING) << c.level;
        EXPECT_EQ(m_Game->GetLevel()->m_Name, c.level);
        EXPECT_EQ(m_Game->GetLoading()->GetProgressBar()->GetValue(), 0.0f);
        Frame(750);
        EXPECT_FLOAT_EQ(m_Game->GetLoading()->GetProgressBar()->GetValue(), 0.5f);
        Frame(750);
        EXPECT_EQ(Modes().GetPendingMode(), RGGM_LOADING) << "not before more than 1500 ms";
        EXPECT_EQ(m_Game->GetLoading()->GetProgressBar()->GetValue(), 1.0f);
        Frame(1);
        EXPECT_EQ(Modes().GetPendingMode(), RGGM_PLAY);
        EXPECT_EQ(Profile().Level, c.level);
        bool found = false;
        for (int i = 0; i < 200 && !found; ++i) {
            for (const auto& g : pt::Graphs()) found = found || g.file == c.music;
            if (!found) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_TRUE(found) << c.music;
        for (int i = 0; i < 60; ++i) Frame(20);
    }
}

TEST_F(RGPlayModeTest, ALevelEndHandsItsResultsToTheCountAndShowsTheLevelsComicFirst)
{
    const struct {
        const char* level;
        unsigned index, playTime;
        RGGameModeType next;
    } cases[] = {{"level1", 0, 120, RGGM_SCORE}, {"lvl2", 1, 90, RGGM_COMICS}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        RGLevelPacks::Main()->SetCurrentLevel(c.level);
        EnterPlay();
        DeveloperChord();
        EXPECT_EQ(Modes().GetPendingMode(), c.next);
        const RGScoreCount& count = *m_Game->GetScoreCount();
        EXPECT_EQ(std::make_tuple(count.m_LevelTime, int32_t(count.m_Lives), count.m_LevelIndex),
                  std::make_tuple(c.playTime, 2, c.index));
        for (int k = 0; k < RGLevelResults::kCharacters; ++k)
            EXPECT_TRUE(count.m_Alive[k] && count.m_SpareTime[k] <= float(c.playTime)) << k;
        EXPECT_FALSE(count.m_Done) << "the count starts afresh";
        for (int i = 0; i < 60; ++i) Frame(20);
        EXPECT_EQ(Modes().m_CurrentMode, c.next);
    }
}

TEST_F(RGPlayModeTest, AnInGameMenuOpenedInTheFrameTheLevelEndsTakesNoClickOnTheScreenAfter)
{
    // The input thread's passes are run by hand, so the clicks arrive where the test puts them.
    m_Game->GetInputMessager()->Stop();
    while (m_Game->GetInputMessager()->IsRunning()) std::this_thread::yield();
    TarnEngine::UI::SUIMessageManager& input = *m_Game->GetInputMessager()->GetMessageManager();
    auto click = [&](float x, float y) {
        pt::InjectMouseMove(int(x * 1024.0f), int(y * 768.0f));
        for (bool down : {true, false}) {
            pt::InjectMouseButton(1, down);
            Frame(20);
            input.Process();
        }
    };
    const float backToMap[] = {0.34f, 0.59f}, backToMenu[] = {0.62f, 0.40f};
    for (bool won : {true, false}) {
        SCOPED_TRACE(won ? "won" : "last life lost");
        EnterPlay();
        m_Game->ClearStartPrompt();
        Frame(20);
        // The menu's request is served in the frame that ends the level.
        m_Game->OnMenuButton();
        if (won) {
            DeveloperChord();
        } else {
            std::vector<boost::shared_ptr<RGPythonObject>> actors;
            m_Game->GetLevel()->GetActors(actors);
            for (int i = 0; i < Profile().Lifes; ++i)
                actors[i]->SetPropertyValueBoolean(RGPythonHandle::FromName("islife"), false);
            Frame(20);
        }
        const RGGameModeType end = won ? RGGM_SCORE : RGGM_GAMEOVER;
        ASSERT_EQ(Modes().GetPendingMode(), end);
        EXPECT_EQ(m_Game->GetGameMenu()->GetCurrentFormName(), "");
        EXPECT_FALSE(m_Game->GetGameMenu()->IsEnabled());
        for (int i = 0; i < 60 && Modes().m_CurrentMode != end; ++i) Frame(20);
        ASSERT_EQ(Modes().m_CurrentMode, end);

        // Where BACK TO MAP (on the count) or BACK TO MENU (on game over) stood: the count goes
        // on, and the game-over click leads to the map.
        const float* place = won ? backToMap : backToMenu;
        click(place[0], place[1]);
        EXPECT_EQ(Modes().GetPendingMode(), won ? RGGM_SCORE : RGGM_MAP);
    }
}

TEST_F(RGPlayModeTest, EscapeOpensTheInGameMenuWhichOnlyItsOwnButtonsLeave)
{
    EnterPlay();
    m_Game->ClearStartPrompt();
    Frame(20);
    ASSERT_FALSE(m_Game->IsPaused());
    Key(VK_ESCAPE);
    ASSERT_EQ(m_Game->GetGameMenu()->GetCurrentFormName(), "GameMenuForm");
    EXPECT_TRUE(m_Game->IsPaused());

    // A click held on the menu's background, then Space: still paused, and nothing is drawn.
    pt::InjectMouseMove(600, 720);
    Frame(20);
    pt::InjectMouseButton(1, true);
    for (int i = 0; i < 3; ++i) Frame(20);
    EXPECT_TRUE(m_Game->IsPaused());
    EXPECT_FALSE(gSoundManager->IsPlaying("Magic"));
    pt::InjectMouseButton(1, false);
    Frame(20);
    Key(VK_SPACE);
    EXPECT_TRUE(m_Game->IsPaused());
    Key(VK_ESCAPE);
    EXPECT_EQ(m_Game->GetGameMenu()->GetCurrentFormName(), "GameMenuForm") << "Escape does not close it";

    m_Game->OnGameMenuResume();
    Frame(20);
    EXPECT_FALSE(m_Game->IsPaused());
    EXPECT_EQ(m_Game->GetGameMenu()->GetCurrentFormName(), "");
}

} // namespace
