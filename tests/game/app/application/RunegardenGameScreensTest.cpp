#include "engine/framework/app/SWindow.h"
#include "engine/framework/input/SInputMessager.h"
#include "game/app/screens/RGComics.h"
#include "game/app/screens/RGComicsPack.h"
#include "game/app/screens/RGFinalCut.h"
#include "game/app/screens/RGIntro.h"
#include "game/app/screens/RGSplash.h"
#include "game/app/screens/RGTropheis.h"
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/scripting/RGPythonHandle.h"
#include "game/gameplay/scripting/RGPythonObject.h"

#include "tests/game/app/screens/ScreensFixture.h"

using namespace Runegarden;

namespace {

class ScreenModesTest : public screenstest::ScreensTest {
protected:
    // A won level handed to the score count as the level end hands it, then counted and confirmed.
    void WinCount(bool trophy, uint32_t levelIndex)
    {
        RGScoreCount& count = *m_Game->GetScoreCount();
        for (int k = 0; k < RGScoreCount::kCharacters; ++k) {
            count.m_SpareTime[k] = 1.0f;
            count.m_Alive[k] = true;
        }
        count.m_LevelTime = 10;
        count.m_Trophy = trophy;
        count.m_LevelIndex = levelIndex;
        count.m_BonusMap = m_Game->GetMap()->m_BonusMap;
        count.Start();
        EnterMode(RGGM_SCORE);
        count.OnNextLevel();
        Frame();
    }
    // A level's pot on the map clicked, as a player picks it; the pack follows as loading sets it.
    void ClickPot(unsigned int index, bool bonus = false)
    {
        RGMap& map = *m_Game->GetMap();
        map.m_BonusMap = bonus;
        map.Start();
        const RGMap::ButtonPtr& pot = map.GetPots().at(index);
        Click(*map.GetShownForm(), pot->m_X + 0.01f, pot->m_Y + 0.01f);
        ASSERT_TRUE(map.m_Leave);
        (bonus ? *RGLevelPacks::Bonus() : MainPack()).SetCurrentLevel(map.m_SelectedLevelName);
    }
    void SetLevel(unsigned int index)
    {
        Profile()->Level = MainPack().GetLevelName(index);
        MainPack().SetCurrentLevel(Profile()->Level);
    }
};

TEST_F(ScreenModesTest, SplashGoesToTheMenuWhereTheFirstProfileIsMadeThenANewGameRunsTheIntroToTheMap)
{
    Start();
    ASSERT_EQ(Mode(), RGGM_SPLASH);
    Frame();
    EXPECT_EQ(m_Game->GetSplash()->GetShownPicture(), 0);
    Frame(m_Game->GetSplash()->GetPictureCount() * 4000);
    Settle();
    ASSERT_EQ(Mode(), RGGM_MENU);
    RGMenu& menu = *m_Game->GetMenu();
    EXPECT_EQ(menu.GetUI()->GetCurrentFormName(), "NewUser") << "no profile yet";
    menu.OnNewUserCancel();
    EXPECT_EQ(menu.GetUI()->GetCurrentFormName(), "NewUser") << "the first profile cannot be skipped";

    menu.m_NewUserName = L"ANN";
    menu.OnNewUserOk();
    EXPECT_EQ(menu.GetUI()->GetCurrentFormName(), "MainForm");
    EXPECT_EQ(menu.GetWelcomeLabel()->GetText(), L"Welcome! ANN");
    Frame();
    const TarnEngine::UI::SUILabel& welcome = *menu.GetWelcomeLabel();
    EXPECT_NEAR(welcome.GetFont()->m_X + welcome.m_Layout.TextWidth(*welcome.GetFont()) / 2, 0.5f, 0.01f)
        << "the welcome is centred";
    EXPECT_NE(m_Save.ReadUsers().find("ANN"), std::string::npos) << "the new profile is saved at once";

    menu.OnPlayGame();
    EXPECT_EQ(menu.GetResult(), RGMR_NEW_GAME);
    Frame();
    EXPECT_EQ(menu.GetUI()->GetCurrentFormName(), "") << "no menu control stays live on the next screens";
    // Every intro of the run is skipped by pressing its SKIP button.
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        Settle();
        ASSERT_EQ(Mode(), RGGM_INTRO);
        Click(*m_Game->GetIntro()->GetForm(), 0.84f, 0.91f);
        Frame();
        Settle();
        EXPECT_EQ(Mode(), RGGM_MAP);
        EXPECT_EQ(Profile()->Level, MainPack().GetLevelName(0));
        ASSERT_TRUE(m_Game->GetLevel());
        EXPECT_EQ(m_Game->GetLevel()->m_Name, Profile()->Level) << "the first level is built";
        EXPECT_EQ(Profile()->LevelShowName, m_Game->GetLevel()->m_ShowName);
        EnterMode(RGGM_MENU);
        Profile()->Level.clear();
        menu.OnPlayGame();
        Frame();
    }
}

TEST_F(ScreenModesTest, ANewGameAfterAPlayerLeftTheBonusMapEndsItsIntroOnTheMainMap)
{
    Start();
    MakeProfile(L"ANN");
    Profile()->Level = RGLevelPack::kDone;
    EnterMode(RGGM_MENU);
    RGMenu& menu = *m_Game->GetMenu();
    menu.OnBonusLevel();
    Frame();
    Settle();
    ASSERT_EQ(Mode(), RGGM_MAP);
    ASSERT_TRUE(m_Game->GetMap()->m_BonusMap);
    m_Game->GetMap()->OnMenu();
    Frame();
    Settle();
    ASSERT_EQ(Mode(), RGGM_MENU);

    MakeProfile(L"BOB");
    menu.OnPlayGame();
    Frame();
    Settle();
    ASSERT_EQ(Mode(), RGGM_INTRO);
    Click(*m_Game->GetIntro()->GetForm(), 0.84f, 0.91f);
    Frame();
    Settle();
    ASSERT_EQ(Mode(), RGGM_MAP);
    EXPECT_FALSE(m_Game->GetMap()->m_BonusMap) << "a new game leads to the main map";
}

TEST_F(ScreenModesTest, ScoreCountsBookProgressTrophiesAndTheNextModeByHowTheLevelWasPlayed)
{
    const unsigned last = 3;
    const struct {
        const char* what;
        unsigned level, played; // the profile's level, the pot clicked
        bool bonus, trophy;
        RGGameModeType next;
        const char* expectedLevel; // "next": the level after the played one; "kept": the profile's own
        int trophySlot;            // -1: none booked
    } cases[] = {
        {"current level", 1, 1, false, false, RGGM_MAP, "next", -1},
        {"replay", 2, 0, false, false, RGGM_MAP, "kept", -1},
        {"current level with its trophy", 1, 1, false, true, RGGM_TROPHIES, "next", 1},
        {"bonus level with the trophy flag", last + 1, 0, true, true, RGGM_MAP, "done", -1},
        {"last level", last, last, false, false, RGGM_FINALCUT, "done", -1},
        {"last level with its trophy", last, last, false, true, RGGM_TROPHIES, "done", 3},
    };
    Start();
    MakeProfile(L"ANN");
    ASSERT_EQ(MainPack().GetLevelCount(), last + 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.level > last) Profile()->Level = RGLevelPack::kDone;
        else SetLevel(c.level);
        Profile()->BonusLevel = "";
        Profile()->Trophies.assign(30, 0);
        ClickPot(c.played, c.bonus);
        WinCount(c.trophy, c.bonus ? 0 : c.played);
        Settle();
        EXPECT_EQ(Mode(), c.next);
        const std::string token = c.expectedLevel;
        const std::string expected = token == "next"   ? MainPack().GetLevelName(c.played + 1)
                                     : token == "kept" ? MainPack().GetLevelName(c.level)
                                                       : token;
        if (c.next != RGGM_TROPHIES) {
            EXPECT_EQ(Profile()->Level, expected);
        }
        for (unsigned i = 0; i < 30; ++i) EXPECT_EQ(Profile()->Trophies[i], int(i) == c.trophySlot ? 1 : 0) << i;
        EXPECT_NE(m_Save.ReadUsers().find("Score=\"3000\""), std::string::npos) << "saved after the count";
        EXPECT_EQ(m_Game->GetFrame()->m_Lives, Profile()->Lifes) << "the frame shows the counted lives";
        Profile()->Score = 0;
        if (c.next == RGGM_TROPHIES) {
            m_Game->GetTrophies()->OnOk();
            Frame();
            Settle();
            EXPECT_EQ(Mode(), c.played == last ? RGGM_FINALCUT : RGGM_MAP) << "the trophies screen goes on";
            EXPECT_EQ(Profile()->Level, expected);
        }
        EnterMode(RGGM_MAP);
    }
}

TEST_F(ScreenModesTest, ATrophyWonBeforeIsNotAnnouncedAgainWhenItsLevelIsWonAgain)
{
    Start();
    MakeProfile(L"ANN");
    SetLevel(1);
    ClickPot(1);
    WinCount(true, 1);
    Settle();
    ASSERT_EQ(Mode(), RGGM_TROPHIES);
    ASSERT_TRUE(m_Game->GetTrophies()->IsAnnouncing());
    m_Game->GetTrophies()->OnOk();
    Frame();
    Settle();
    ASSERT_EQ(Mode(), RGGM_MAP);

    ClickPot(1); // a replay, won with the trophy again
    WinCount(true, 1);
    Settle();
    EXPECT_EQ(Mode(), RGGM_MAP) << "nothing new to show";
    m_Game->GetMap()->OnTrophies();
    Frame();
    Settle();
    ASSERT_EQ(Mode(), RGGM_TROPHIES);
    EXPECT_FALSE(m_Game->GetTrophies()->IsAnnouncing());
    EXPECT_FALSE(m_Game->GetTrophies()->GetTrophies()[1]->IsHidden());
}

TEST_F(ScreenModesTest, AConfirmedCountTakesNoLaterClickWhereItsOkStood)
{
    Start();
    MakeProfile(L"ANN");
    SetLevel(1);
    ClickPot(1);
    WinCount(false, 1);
    Settle();
    ASSERT_EQ(Mode(), RGGM_MAP);
    ASSERT_EQ(Profile()->Score, 3000u);

    // A new player; the intro's SKIP stands where the count's OK stood.
    MakeProfile(L"BEN");
    ASSERT_TRUE(m_Game->GetInputMessager() && m_Game->GetInputMessager()->GetMessageManager());
    TarnEngine::UI::SUIMessageManager& input = *m_Game->GetInputMessager()->GetMessageManager();
    const int32_t x = int32_t(0.8f * 1024.0f), y = int32_t(0.86f * 768.0f);
    input.SendMouseMove(TarnEngine::UI::SUIInputMouseMoveEvent(x, y));
    input.SendMouseDown(TarnEngine::UI::SUIInputMouseDownEvent(x, y));
    input.SendMouseUp(TarnEngine::UI::SUIInputMouseUpEvent(x, y));
    EXPECT_EQ(Profile()->Score, 0u) << "the last count's total is not booked to the new player";
}

TEST_F(ScreenModesTest, AWinMovesTheMainPackOnByItsPositionPastANameItHoldsTwice)
{
    Start();
    MakeProfile(L"ANN");
    SCore::SXMLDeserializator pack;
    pack.m_Text = "<LevelPack><Level Path=\"Levels\\level1.xml\" Name=\"twice\"></Level>"
                  "<Level Path=\"Levels\\lvl2.xml\" Name=\"lvl2\"></Level>"
                  "<Level Path=\"Levels\\level3.xml\" Name=\"twice\"></Level>"
                  "<Level Path=\"Levels\\lvl4.xml\" Name=\"lvl4\"></Level></LevelPack>";
    pack.ParseText();
    MainPack().DoDeserialize(pack);
    SetLevel(1);
    for (unsigned int next : {2u, 3u}) {
        m_Game->GetMap()->m_CurrentLevelMain = true; // the profile's own level was won
        WinCount(false, next - 1);
        Settle();
        EXPECT_EQ(MainPack().GetCurrentIndex(), next);
        EXPECT_EQ(Profile()->Level, MainPack().GetLevelName(next));
        if (next != 2) continue;
        // The map's NEXT then plays that second entry, not the first of its name.
        EnterMode(RGGM_MAP);
        m_Game->GetMap()->OnNext();
        Settle();
        ASSERT_EQ(Mode(), RGGM_LOADING);
        EXPECT_EQ(MainPack().GetCurrentIndex(), 2u);
    }
}

TEST_F(ScreenModesTest, ExitDuringACountBooksOnlyTheCurrentLevel)
{
    Start();
    MakeProfile(L"ANN");
    for (bool current : {false, true}) {
        SetLevel(2);
        ClickPot(current ? 2 : 0);
        EnterMode(RGGM_SCORE);
        EnterMode(RGGM_MENU);
        m_Game->GetMenu()->OnExit();
        m_Game->GetMenu()->OnAreYouSureYes();
        Frame();
        Settle();
        EXPECT_EQ(Mode(), RGGM_EXIT);
        EXPECT_EQ(Profile()->Level, MainPack().GetLevelName(current ? 3 : 2));
        m_Game->GetMenu()->Start();
    }
}

TEST_F(ScreenModesTest, InGameMenuBackToMenuAndPlayResumesTheLevelPausedAndTheMapClearsThePause)
{
    Start();
    MakeProfile(L"ANN");
    m_Game->GetMenu()->m_ProfileChanged = false; // as the first play from the menu leaves it
    EnterMode(RGGM_PLAY);
    m_Game->GetGameMenu()->ShowForm("GameMenuForm");
    m_Game->OnPauseButton();
    m_Game->OnGameMenuBackToMenu();
    Settle();
    ASSERT_EQ(Mode(), RGGM_MENU);
    EXPECT_TRUE(m_Game->IsPaused());
    Profile()->Level = MainPack().GetLevelName(1);
    m_Game->GetMenu()->OnPlayGame();
    Frame();
    Settle();
    EXPECT_EQ(Mode(), RGGM_PLAY) << "back to the interrupted level";
    EXPECT_TRUE(m_Game->IsPaused());
    EXPECT_EQ(m_Game->GetGameMenu()->GetCurrentFormName(), "");

    m_Game->OnGameMenuBackToMap();
    Settle();
    ASSERT_EQ(Mode(), RGGM_MAP);
    EXPECT_TRUE(m_Game->IsPaused());
    m_Game->GetMap()->OnNext();
    Frame();
    EXPECT_FALSE(m_Game->IsPaused()) << "the level entered from the map opens with its start prompt";
    Settle();
    EXPECT_EQ(Mode(), RGGM_LOADING);
    EXPECT_EQ(MainPack().GetCurrentLevelName(), MainPack().GetLevelName(1));
}

TEST_F(ScreenModesTest, AQuitOnTheGameOverScreenStartsAgainAsItsClickWouldHaveLeftThePlayer)
{
    Start();
    MakeProfile(L"ANN");
    SetLevel(2);
    const std::string level = MainPack().GetLevelName(2);
    m_Game->GetMap()->m_CurrentLevelMain = true;
    m_Game->StartLevelLoading();
    for (int i = 0; i < 10 && Mode() != RGGM_PLAY; ++i) Frame(500);
    ASSERT_EQ(Mode(), RGGM_PLAY);
    Profile()->Lifes = 1;
    std::vector<boost::shared_ptr<RGPythonObject>> actors;
    m_Game->GetLevel()->GetActors(actors);
    actors.at(0)->SetPropertyValueBoolean(RGPythonHandle::FromName("islife"), false);
    Frame();
    Settle();
    ASSERT_EQ(Mode(), RGGM_GAMEOVER);
    ASSERT_EQ(Profile()->Lifes, 0);

    Start(); // the window closed on the game-over screen, and the game started again
    EXPECT_EQ(Profile()->Lifes, 1);
    EXPECT_EQ(Profile()->Level, level);
    EXPECT_EQ(MainPack().GetCurrentLevelName(), level);
    EnterMode(RGGM_MENU);
    m_Game->GetMenu()->OnPlayGame();
    Frame();
    Settle();
    ASSERT_EQ(Mode(), RGGM_MAP);
    m_Game->GetMap()->OnNext();
    Frame();
    for (int i = 0; i < 10 && Mode() != RGGM_PLAY; ++i) Frame(500);
    ASSERT_EQ(Mode(), RGGM_PLAY);
    EXPECT_EQ(m_Game->GetLevel()->m_Name, level);
    EXPECT_EQ(Profile()->Level, level);
    Frame();
    EXPECT_EQ(m_Game->GetFrame()->m_Lives, 1);
    EXPECT_EQ(Modes().GetPendingMode(), RGGM_PLAY) << "no game over at once";
}

TEST_F(ScreenModesTest, SettingsAndTheFullScreenChoiceAreKeptAfterARestart)
{
    Start(true);
    MakeProfile(L"ANN");
    EnterMode(RGGM_MENU);
    RGMenu& menu = *m_Game->GetMenu();
    menu.OnSettings();
    menu.GetMusicTrackBar()->m_Value = 0.25f;
    menu.OnMusicVolumeChanged();
    EXPECT_FLOAT_EQ(m_Game->GetMp3Player()->GetVolume(), 0.625f);
    menu.GetSoundTrackBar()->m_Value = 0.0f;
    menu.OnSoundVolumeChanged();
    EXPECT_FLOAT_EQ(gSoundManager->GetMasterVolume(), 0.5f);
    menu.OnSettingsOk();
    for (bool expected : {false, true}) {
        menu.GetFullScreenCheckBox()->m_Checked = expected;
        menu.OnFullScreenChanged();
        Frame();
        EXPECT_EQ(m_Game->IsFullScreen(), expected) << "one click switches";
        EXPECT_FALSE(menu.m_FullScreenChanged);
    }
    menu.GetFullScreenCheckBox()->m_Checked = false;
    menu.OnFullScreenChanged();
    Frame();
    menu.OnExit();
    menu.OnAreYouSureYes();
    Frame();

    Start();
    EXPECT_FLOAT_EQ(gProfileManager->MusicVolume, 0.25f);
    EXPECT_FLOAT_EQ(gProfileManager->SoundVolume, 0.0f);
    EXPECT_FALSE(gProfileManager->IsFullScreen);
    EXPECT_FLOAT_EQ(m_Game->GetMp3Player()->GetVolume(), 0.25f) << "stored volumes apply unmapped";
    EXPECT_EQ(Profile()->Name, L"ANN");
}

TEST_F(ScreenModesTest, FinalCutTakesAClickOnlyAfterItsTimeAndLeadsToTheMenu)
{
    Start();
    MakeProfile(L"ANN");
    m_Game->GetFinalCut()->Rewind();
    EnterMode(RGGM_FINALCUT);
    m_Game->m_LeftButtonHeld = true;
    Frame(60000);
    Frame();
    EXPECT_EQ(Modes().GetPendingMode(), RGGM_FINALCUT);
    Frame(6000);
    Settle();
    EXPECT_EQ(Mode(), RGGM_MENU);
}

TEST_F(ScreenModesTest, LoadingBooksOnlyTheMarkedLevelInTheWorldTheMapShows)
{
    const struct {
        const char* what;
        bool bonus, current;
    } cases[] = {{"main, current", false, true}, {"main, replay", false, false}, {"bonus, current", true, true},
                 {"bonus, replay", true, false}};
    Start();
    MakeProfile(L"ANN");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RGLevelPack& pack = c.bonus ? *RGLevelPacks::Bonus() : MainPack();
        const unsigned pot = c.current && !c.bonus ? 1 : 0;
        SetLevel(1);
        Profile()->BonusLevel = c.current && c.bonus ? pack.GetLevelName(0) : "";
        Profile()->LevelShowName = "";
        EnterMode(RGGM_MAP);
        ClickPot(pot, c.bonus);
        for (int i = 0; i < 10 && Mode() != RGGM_PLAY; ++i) Frame(500);
        ASSERT_EQ(Mode(), RGGM_PLAY);
        EXPECT_EQ(m_Game->GetLevel()->m_Name, pack.GetLevelName(pot)) << "the level of the world shown";
        EXPECT_EQ(Profile()->Level, MainPack().GetLevelName(1));
        EXPECT_EQ(Profile()->BonusLevel, c.current && c.bonus ? pack.GetLevelName(0) : "");
        EXPECT_EQ(Profile()->LevelShowName, c.current ? m_Game->GetLevel()->m_ShowName : "");
    }
}

TEST_F(ScreenModesTest, AWindowedStartStoresWindowedWithTheFirstProfile)
{
    Start(false);
    MakeProfile(L"ANN");
    EXPECT_NE(m_Save.ReadUsers().find("IsFullScreen=\"0\""), std::string::npos);
}

TEST_F(ScreenModesTest, MapButtonsLeadToTheirModesAndTheTrophiesScreenBackToTheMap)
{
    const struct {
        const char* what;
        void (RGMap::*button)();
        RGGameModeType next;
    } cases[] = {{"menu", &RGMap::OnMenu, RGGM_MENU}, {"trophies", &RGMap::OnTrophies, RGGM_TROPHIES},
                 {"next", &RGMap::OnNext, RGGM_LOADING}};
    Start();
    MakeProfile(L"ANN");
    SetLevel(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EnterMode(RGGM_MAP);
        ((*m_Game->GetMap()).*c.button)();
        Frame();
        Settle();
        EXPECT_EQ(Mode(), c.next);
    }
    EnterMode(RGGM_TROPHIES);
    m_Game->GetTrophies()->OnOk();
    Frame();
    Settle();
    EXPECT_EQ(Mode(), RGGM_MAP) << "not the final cut when not entered from a count";
}

TEST_F(ScreenModesTest, AComicEndsInTheScoreCountAndNoComicGoesThereAtOnce)
{
    Start();
    MakeProfile(L"ANN");
    for (bool withComic : {true, false}) {
        SCOPED_TRACE(withComic);
        const boost::shared_ptr<RGComics> comic =
            withComic ? m_Game->GetComicsPack()->GetComics("lvl2") : boost::shared_ptr<RGComics>();
        m_Game->SetComics(comic);
        Modes().ChangeMode(RGGM_COMICS);
        Settle();
        if (comic) {
            ASSERT_EQ(Mode(), RGGM_COMICS);
            Frame(100);
            EXPECT_EQ(Modes().GetPendingMode(), RGGM_COMICS) << "the comic runs until it ends";
            comic->OnSkip();
            Frame();
            Settle();
        }
        EXPECT_EQ(Mode(), RGGM_SCORE);
        EnterMode(RGGM_MAP);
    }
}

TEST_F(ScreenModesTest, TheCountAfterAComicStartsCountingWhenItIsShownAndEndsWithTheSamePoints)
{
    Start();
    MakeProfile(L"ANN");
    RGScoreCount& count = *m_Game->GetScoreCount();
    for (int k = 0; k < RGScoreCount::kCharacters; ++k) {
        count.m_SpareTime[k] = 30.0f;
        count.m_Alive[k] = true;
    }
    count.m_LevelTime = 60;
    count.m_LevelIndex = 1;
    count.Start(); // at the level's end, as the comic begins
    const boost::shared_ptr<RGComics> comic = m_Game->GetComicsPack()->GetComics("lvl2");
    m_Game->SetComics(comic);
    EnterMode(RGGM_COMICS);
    Frame(60000);
    comic->OnSkip();
    Frame();
    Settle();
    ASSERT_EQ(Mode(), RGGM_SCORE);
    EXPECT_FALSE(count.IsCounted()) << "the comic's time is no step of the count";
    EXPECT_LT(count.GetFill(0), 0.7f);
    Frame(5000);
    Frame();
    EXPECT_TRUE(count.IsCounted());
    EXPECT_EQ(count.GetShownTotal(), 90000u);
}

TEST_F(ScreenModesTest, LeavingFullScreenOnADesktopSmallerThanTheWindowKeepsItsCornerOnTheDesktop)
{
    screenstest::pt::SetVirtualDesktop(RECT{0, 0, 800, 600});
    Start(true);
    MakeProfile(L"ANN");
    EnterMode(RGGM_MENU);
    RGMenu& menu = *m_Game->GetMenu();
    menu.GetFullScreenCheckBox()->m_Checked = false;
    menu.OnFullScreenChanged();
    Frame();
    ASSERT_FALSE(m_Game->IsFullScreen());
    RECT rect{};
    GetWindowRect(m_Game->GetWindow()->GetHandle(), &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
}

} // namespace
