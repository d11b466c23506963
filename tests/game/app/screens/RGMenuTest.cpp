#include "game/app/screens/RGMenu.h"

#include "tests/game/app/screens/ScreensFixture.h"

#include <cmath>

using namespace Runegarden;
namespace pt = platform::testing;

namespace {

class RGMenuTest : public screenstest::ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        Start();
        EnterMode(RGGM_MENU);
    }
    RGMenu& Menu() { return *m_Game->GetMenu(); }
    std::string Form() { return Menu().GetUI()->GetCurrentFormName(); }
    // The first profile, typed into the NewUser form the menu opens without one.
    void FirstProfile()
    {
        ASSERT_EQ(Form(), "NewUser");
        Menu().m_NewUserName = L"ANN";
        Menu().OnNewUserOk();
        ASSERT_EQ(Form(), "MainForm");
    }
};

TEST_F(RGMenuTest, ProfileFormsRefuseATakenNameChooseAPlayerAndDeleteDownToTheNewUserForm)
{
    FirstProfile();
    MakeProfile(L"BOB");
    ASSERT_EQ(Profile()->Name, L"BOB") << "a new profile becomes current";

    Menu().ShowNewUserForm();
    Menu().m_NewUserName = L"ANN";
    Menu().OnNewUserOk();
    EXPECT_EQ(Form(), "NewUser") << "a taken name is refused";
    EXPECT_EQ(Menu().GetMessageFade()->m_TransitionState, TarnEngine::STS_FADE_IN) << "and the message shows";
    EXPECT_EQ(gProfileManager->m_Profiles.size(), 2u);
    Menu().OnNewUserCancel();
    EXPECT_EQ(Form(), "MainForm") << "with profiles the form can be left";

    Menu().m_ProfileChanged = false;
    Menu().OnChangeUser();
    ASSERT_EQ(Form(), "UserProfile");
    EXPECT_EQ(Menu().GetProfileList()->GetSelectedItemText(), L"BOB") << "the current player is selected";
    Menu().GetProfileList()->SelectItem(L"ANN");
    Frame();
    // The chosen player's row is drawn on the tinted background, the name centred on it.
    const TarnEngine::UI::SUIListBox& list = *Menu().GetProfileList();
    ASSERT_TRUE(list.m_SelectedLook && list.m_NormalLook);
    const TarnEngine::SSprite& selected = *list.m_SelectedLook;
    EXPECT_EQ(selected.m_ColorLU, 0xFFA0FFF0u);
    std::vector<boost::shared_ptr<TarnEngine::STextureFont>> rows;
    list.GetItemFonts(rows);
    TarnEngine::UI::SUITextLayout cell;
    cell.SetCell(0.014405f, 0.0349027f, 0.99f);
    EXPECT_NEAR(rows[1]->m_Y, selected.m_Position.Y + 0.0195755f, 1e-5);
    EXPECT_NEAR(rows[1]->m_X + cell.TextWidth(*rows[1]) / 2, selected.m_Position.X + selected.m_Position.Width / 2, 0.002f);
    Menu().OnUserProfileOk();
    EXPECT_EQ(Profile()->Name, L"ANN");
    EXPECT_EQ(Menu().GetWelcomeLabel()->GetText(), L"Welcome! ANN");
    EXPECT_TRUE(Menu().m_ProfileChanged) << "an interrupted level of another player is not resumed";
    EXPECT_NE(m_Save.ReadUsers().find("Current=\"ANN\""), std::string::npos);

    Menu().OnChangeUser();
    Menu().OnAskConfirmation();
    Menu().OnAreYouSureYes();
    EXPECT_EQ(Profile()->Name, L"BOB") << "the next row becomes current";
    EXPECT_EQ(m_Save.ReadUsers().find("Userprofile Name=\"ANN\""), std::string::npos) << "the deletion is saved";
    EXPECT_EQ(Form(), "UserProfile");

    Menu().OnAskConfirmation();
    Menu().OnAreYouSureYes();
    EXPECT_TRUE(gProfileManager->m_Profiles.empty());
    EXPECT_EQ(Form(), "NewUser") << "no game without a player";
}

TEST_F(RGMenuTest, HighScoreFormDrawsTenRowsAtMostAndClearsOnlyAfterConfirmation)
{
    FirstProfile();
    std::vector<RGHighScoreEntry>& rows = gProfileManager->m_HighScore.m_Entries;
    rows.clear();
    for (uint32_t i = 0; i < 12; ++i) rows.push_back(RGHighScoreEntry{L"P" + std::to_wstring(i), "1-1", 1000 - i});
    Menu().OnHighScore();
    Frame();
    EXPECT_EQ(Menu().GetDrawnHighScoreRows(), 10u);

    Menu().OnAskConfirmation();
    Menu().OnClose();
    EXPECT_EQ(rows.size(), 12u) << "NO keeps the table";
    Menu().OnAskConfirmation();
    Menu().OnAreYouSureYes();
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(Form(), "HighScore");
    Frame();
    EXPECT_EQ(Menu().GetDrawnHighScoreRows(), 0u);
}

TEST_F(RGMenuTest, BonusLevelsOpenOnlyAfterTheLastLevelAndLeadToTheBonusMap)
{
    FirstProfile();
    const struct {
        const char* level;
        bool open;
    } cases[] = {{"", false}, {"lvl2", false}, {"done", true}};
    for (const auto& c : cases) {
        Profile()->Level = c.level;
        Menu().Start();
        EXPECT_EQ(Menu().GetBonusLevelButton()->IsEnabled(), c.open) << c.level;
    }
    Menu().OnBonusLevel();
    Frame();
    Settle();
    EXPECT_EQ(Mode(), RGGM_MAP);
    EXPECT_TRUE(m_Game->GetMap()->m_BonusMap);
}

TEST_F(RGMenuTest, PlayOnAStartedGameGoesToTheMainMapAndLeavesNoMenuControlLive)
{
    FirstProfile();
    Profile()->Level = "lvl2";
    m_Game->GetMap()->m_BonusMap = true;
    Menu().OnPlayGame();
    EXPECT_EQ(Menu().GetResult(), RGMR_PLAY);
    Frame();
    Settle();
    EXPECT_EQ(Mode(), RGGM_MAP);
    EXPECT_FALSE(m_Game->GetMap()->m_BonusMap);
    // The hidden UserProfile form's controls take no clicks on the map.
    Click(*Menu().GetUI(), 0.5f, 0.5f);
    EXPECT_EQ(Form(), "");
    EXPECT_EQ(gProfileManager->m_Profiles.size(), 1u);
}

TEST_F(RGMenuTest, AChoiceLeavesTheMenuDrawnWhileItDarkensAndNoControlLiveAfterwards)
{
    FirstProfile();
    // Where the MainForm buttons stand, as fractions of the window.
    const float play[] = {0.36f, 0.54f}, bonus[] = {0.5f, 0.41f}, exit[] = {0.57f, 0.67f}, settings[] = {0.57f, 0.54f},
                user[] = {0.5f, 0.31f};
    const struct {
        const char* level;
        const float* button;
        RGGameModeType next;
    } choices[] = {{"lvl2", play, RGGM_MAP}, {"", play, RGGM_INTRO}, {"done", bonus, RGGM_MAP}, {"lvl2", exit, RGGM_EXIT}};
    pt::RecordRenderCalls(true);
    for (const auto& choice : choices) {
        SCOPED_TRACE(std::to_string(choice.next) + " " + choice.level);
        Profile()->Level = choice.level;
        Menu().Start();
        EnterMode(RGGM_MENU);
        ASSERT_EQ(Form(), "MainForm");
        Click(*Menu().GetUI(), choice.button[0], choice.button[1]);
        if (choice.next == RGGM_EXIT) {
            ASSERT_EQ(Form(), "AreYouSure");
            Click(*Menu().GetUI(), 0.35f, 0.48f);
        }
        const int32_t result = Menu().GetResult();
        ASSERT_NE(result, RGMR_NONE);
        Frame();
        EXPECT_EQ(Form(), "") << "the menu takes no input from the frame of the choice on";

        // Halfway to black the menu is still there: its background and its PLAY button.
        pt::ClearRenderCalls();
        Frame(250);
        ASSERT_EQ(Mode(), RGGM_MENU);
        bool background = false, playButton = false;
        for (const pt::DrawnQuad& q : pt::DrawnQuads()) {
            background |= q.left <= 0.5f && q.top <= 0.5f && q.right >= 1020.0f && q.bottom >= 760.0f && q.v1 < 0.75f;
            playButton |= std::abs(q.left - 318.5f) < 1.0f && std::abs(q.top - 385.5f) < 1.0f;
        }
        EXPECT_TRUE(background && playButton) << "the fade runs over the menu";

        Settle();
        ASSERT_EQ(Mode(), choice.next);
        for (const float* at : {play, bonus, exit, settings, user}) Click(*Menu().GetUI(), at[0], at[1]);
        EXPECT_EQ(Form(), "") << "no menu form opens on the next screen";
        EXPECT_EQ(Menu().GetResult(), result) << "no menu button takes the click";
    }
}

} // namespace
