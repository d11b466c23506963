#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/STextureFont.h"
#include "engine/framework/input/SUIMessageManager.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/ui/SUIToolTip.h"
#include "game/app/screens/RGComicsPack.h"
#include "game/app/screens/RGIntro.h"
#include "game/app/screens/RGSplash.h"
#include "game/app/screens/RGTropheis.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "game/gameplay/services/RGSpriteCreator.h"

#include "tests/game/app/screens/ScreensFixture.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <functional>

using namespace Runegarden;
using TarnEngine::STS_HIDDEN;
using TarnEngine::STS_SHOWN;

namespace fs = std::filesystem;
namespace pt = platform::testing;

namespace {

class ScreensTest : public screenstest::ScreensTest {
protected:
    // A working folder with the given files, the shipped data's textures already loaded.
    void UseFolder(const std::vector<std::pair<std::string, std::string>>& files)
    {
        for (const auto& file : files) {
            fs::create_directories(fs::path(m_Folder.File(file.first)).parent_path());
            std::ofstream(m_Folder.File(file.first)) << file.second;
        }
        m_Cwd.reset();
        m_Cwd.reset(new platformtest::ScopedCwd(m_Folder.Path().string()));
    }
    RGScoreCount& Count(float a, float b, float c, bool aliveC = true)
    {
        RGScoreCount& count = *m_Game->GetScoreCount();
        const float spare[] = {a, b, c};
        for (int k = 0; k < 3; ++k) {
            count.m_SpareTime[k] = spare[k];
            count.m_Alive[k] = k < 2 || aliveC;
        }
        count.m_LevelTime = 60;
        count.m_LevelIndex = 1;
        count.Start();
        return count;
    }
    tarn_test::TempDir m_Folder;
};

TEST_F(ScreensTest, SplashListsFilePicturesOnlyAndEndsAtOnceWithoutAny)
{
    Start();
    EXPECT_EQ(m_Game->GetSplash()->GetFiles(), (std::vector<std::wstring>{L"fsdata\\splash1.jpg", L"splash\\splash2.png"}));
    Frame();
    Frame(4100);
    EXPECT_EQ(m_Game->GetSplash()->GetShownPicture(), 1);
    EXPECT_EQ(m_Game->GetSplash()->GetOverlayAlpha(), 0) << "the last picture has no overlay";

    UseFolder({{"splash/notes.txt", "not a picture"}, {"splash/sub/x.png", ""}});
    RGSplash empty;
    empty.LoadTextures();
    EXPECT_EQ(empty.GetFiles(), std::vector<std::wstring>{L"splash\\notes.txt"}) << "folders are no pictures";
    EXPECT_EQ(empty.GetPictureCount(), 0u) << "a file that does not load is skipped";
    empty.Render();
    EXPECT_TRUE(empty.m_Finished);
}

TEST_F(ScreensTest, ScoreCountFillsToTheFullTotalAndCountsLivesOnSortedThresholds)
{
    Start();
    MakeProfile(L"ANN");
    Profile()->Score = 90000;
    Profile()->Lifes = 5;
    m_Game->GetScoreCount()->SetThresholds({300000, 100000});
    RGScoreCount& count = Count(10, 20, 30);
    EXPECT_NEAR(count.GetFill(0), 1.0f - 10.0f / 60.0f, 1e-6);
    pt::AdvanceFakeTime(1000);
    count.Update();
    EXPECT_NEAR(count.GetFill(0), 0.9333f, 1e-3);
    EXPECT_FALSE(count.IsCounted());
    pt::AdvanceFakeTime(5000);
    count.Update();
    EXPECT_TRUE(count.IsCounted());
    count.Update();
    EXPECT_EQ(count.GetShownTotal(), 150000u) << "shown, stored and lives agree once counted";
    EXPECT_EQ(count.m_Lives, 6u) << "100000 lies between 90000 and 150000";
    EXPECT_FLOAT_EQ(count.GetLifeBarValue(), 0.25f);
    count.OnNextLevel();
    EXPECT_TRUE(count.m_Done);
    EXPECT_EQ(Profile()->Score, 150000u);

    Profile()->Score = 40000;
    RGScoreCount& exact = Count(10, 20, 30);
    exact.CountBonusLives();
    EXPECT_EQ(exact.m_Lives, 5u) << "a total of exactly 100000 does not pass it";
    exact.Update();
    EXPECT_EQ(exact.m_Lives, 5u);

    Profile()->Score = 200000000;
    Count(1, 1, 1).Update();
    EXPECT_FLOAT_EQ(m_Game->GetScoreCount()->GetLifeBarValue(), 1.0f) << "past the last threshold the bar is full";
}

TEST_F(ScreensTest, ScoreCountWithADeadCharacterWaitsForOkWhichStoresEverySpareTime)
{
    Start();
    MakeProfile(L"ANN");
    RGScoreCount& count = Count(10, 20, 30, false);
    pt::AdvanceFakeTime(20000);
    count.Update();
    EXPECT_FALSE(count.IsCounted());
    EXPECT_NEAR(count.GetFill(2), 0.5f, 1e-6) << "a dead character's bar stands";
    count.OnNextLevel();
    EXPECT_EQ(Profile()->Score, 60000u);
    EXPECT_EQ(gProfileManager->m_HighScore.m_Entries.front().BestScore, 60000u);
}

TEST_F(ScreensTest, MapMarksTheCurrentLevelAndNextOnAFinishedGameReplaysTheLastOne)
{
    Start();
    RGMap& map = *m_Game->GetMap();
    map.Start();
    EXPECT_FALSE(map.GetPots()[0]->IsHidden());
    EXPECT_TRUE(map.GetPots()[1]->IsHidden());
    EXPECT_EQ(map.GetTrainer()->GetCommandCount() > 0, true) << "the first trainer without a profile";

    MakeProfile(L"ANN");
    Profile()->Level = RGLevelPack::kDone;
    map.Start();
    for (const auto& pot : map.GetPots()) EXPECT_EQ(pot->m_ToolTipText.rfind(L"Replay level: ", 0), 0u);
    map.OnNext();
    EXPECT_EQ(map.m_SelectedLevelName, MainPack().GetLevelName(MainPack().GetLevelCount() - 1));
    EXPECT_FALSE(map.m_CurrentLevelMain) << "a finished game keeps \"done\"";
    EXPECT_TRUE(map.m_FinalLevel);
    EXPECT_FALSE(map.GetMainForm()->IsEnabled()) << "no second click while the screen fades";

    Profile()->Level = MainPack().GetLevelName(2);
    map.Start();
    EXPECT_FALSE(map.m_FinalLevel) << "a stale final-level mark is cleared";
    map.Update();
    EXPECT_EQ(map.GetDrawnPaths(), 2u);
    Click(*map.GetMainForm(), map.GetPots()[1]->m_X + 0.01f, map.GetPots()[1]->m_Y + 0.01f);
    EXPECT_TRUE(map.m_Leave);
    EXPECT_EQ(map.m_SelectedLevelName, MainPack().GetLevelName(1));
    EXPECT_FALSE(map.m_CurrentLevelMain) << "a replay";
}

TEST_F(ScreensTest, MapTipsStandOnTheirBackgroundsUnderTheirPotsOverEveryControlAndClearOfTheTeacher)
{
    const auto overlap = [](const SCore::SRect& a, const SCore::SRect& b) {
        return a.X < b.X + b.Width && b.X < a.X + a.Width && a.Y < b.Y + b.Height && b.Y < a.Y + a.Height;
    };
    const auto within = [](const SCore::SRect& a, const SCore::SRect& b) {
        return a.X >= b.X && a.Y >= b.Y && a.X + a.Width <= b.X + b.Width && a.Y + a.Height <= b.Y + b.Height;
    };
    Start();
    pt::RecordRenderCalls(true);
    MakeProfile(L"ANN");
    Profile()->Level = RGLevelPack::kDone; // every pot out, with the longest tips
    RGMap& map = *m_Game->GetMap();
    map.Start();
    for (const auto& pot : map.GetPots()) {
        SCOPED_TRACE(pot->m_ToolTipText);
        PointAt(*map.GetMainForm(), pot->m_X + 0.01f, pot->m_Y + 0.01f);
        pt::ClearRenderCalls();
        map.Render();
        const TarnEngine::UI::SUILabel& tip = *pot->m_ToolTip->GetLabel();
        const SCore::SRect& back = tip.m_Background->m_Position;
        const float text = tip.GetFont()->m_X, width = tip.m_Layout.TextWidth(*tip.GetFont());
        EXPECT_LT(back.X, text);
        EXPECT_GT(back.X + back.Width, text + width);
        EXPECT_NEAR(back.X + back.Width / 2, pot->m_X + pot->m_W / 2, 0.003f) << "centred under the pot";
        // Drawn once, and nothing but its own text after it where it stands.
        const SCore::SRect pixels{back.X * 1024.0f - 1.5f, back.Y * 768.0f - 1.5f, back.Width * 1024.0f + 3.0f,
                                  back.Height * 768.0f + 3.0f};
        size_t drawn = 0;
        for (const auto& q : pt::DrawnQuads()) {
            const SCore::SRect quad{q.left, q.top, q.right - q.left, q.bottom - q.top};
            if (within(quad, pixels) && quad.Width > pixels.Width - 4.0f) ++drawn;
            else EXPECT_TRUE(!drawn || within(quad, pixels) || !overlap(quad, pixels));
        }
        EXPECT_EQ(drawn, 1u);
    }

    // The second map's teacher speaks beside the two pots that are out.
    Profile()->Level = MainPack().GetLevelName(1);
    map.Start();
    for (int frame = 0; frame < 4; ++frame) {
        pt::AdvanceFakeTime(300);
        map.Update();
    }
    ASSERT_TRUE(map.GetTrainer()->GetToolTip()->IsShown());
    const SCore::SRect& speech = map.GetTrainer()->GetToolTip()->GetLabel()->m_Background->m_Position;
    for (const auto& pot : map.GetPots())
        EXPECT_TRUE(pot->IsHidden() || !overlap(speech, SCore::SRect{pot->m_X, pot->m_Y, pot->m_W, pot->m_H}));
}

TEST_F(ScreensTest, TipsAndTeacherLeftFromAnEarlierVisitDrawTransparent)
{
    // Drawn alpha is the vertex alpha modulated with the texture's: both must say hidden.
    const auto transparent = [](const TarnEngine::SSprite& sprite) {
        return (sprite.m_ColorLU >> 24) == 0u && sprite.m_Material.m_AlphaOp == 4u;
    };
    Start();
    RGMap& map = *m_Game->GetMap();
    map.Start();
    map.GetMainForm()->DoRender(0.0f, 0.0f);
    const auto& potTip = *map.GetPots()[0]->m_ToolTip->GetLabel();
    EXPECT_TRUE(transparent(*potTip.m_Background)) << "no pot pointed at yet";
    EXPECT_EQ(0u, potTip.GetFont()->m_Color[0]);
    for (int frame = 0; frame < 4; ++frame) {
        pt::AdvanceFakeTime(300);
        map.Update();
    }
    RGLevelTrainer& trainer = *map.GetTrainer();
    ASSERT_TRUE(trainer.GetToolTip()->IsShown()) << "left while the teacher speaks";

    MakeProfile(L"ANN");
    Profile()->Level = MainPack().GetLevelName(2);
    map.Start();
    map.Update();
    EXPECT_TRUE(transparent(*trainer.GetTeacher()));
    EXPECT_TRUE(transparent(*trainer.GetToolTip()->GetLabel()->m_Background));
    EXPECT_EQ(0u, trainer.GetToolTip()->GetLabel()->GetFont()->m_Color[0]);

    RGScoreCount& count = Count(10, 10, 10);
    count.GetTrainer()->Update();
    count.GetTrainer()->Render();
    EXPECT_TRUE(transparent(*count.GetTrainer()->GetToolTip()->GetLabel()->m_Background)) << "the unused bubble";
}

TEST_F(ScreensTest, TheMapsAndTheCountsTutorialsPlayAgainOnALaterVisit)
{
    // Each visit shows the teacher at once and runs the script to its end.
    const auto visitTwice = [](RGLevelTrainer& trainer, const std::function<void()>& start,
                               const std::function<void()>& update) {
        for (int visit = 0; visit < 2; ++visit) {
            start();
            update();
            EXPECT_EQ(trainer.GetTeacherFade()->m_TransitionState, TarnEngine::STS_FADE_IN) << "visit " << visit;
            for (int frame = 0; frame < 60 && !trainer.IsDone(); ++frame) {
                pt::AdvanceFakeTime(300);
                update();
            }
            EXPECT_TRUE(trainer.IsDone()) << "visit " << visit;
        }
    };
    Start();
    MakeProfile(L"ANN");
    Profile()->Level = MainPack().GetLevelName(0);
    RGMap& map = *m_Game->GetMap();
    visitTwice(*map.GetTrainer(), [&] { map.Start(); }, [&] { map.Update(); });
    RGScoreCount& count = *m_Game->GetScoreCount();
    count.m_LevelTime = 60;
    count.m_LevelIndex = 0;
    visitTwice(*count.GetTrainer(), [&] { count.Start(); }, [&] { count.Update(); });
}

TEST_F(ScreensTest, TrophiesAnnounceTheNewOneAndKeepACompletedSetMarkVisible)
{
    Start();
    MakeProfile(L"ANN");
    RGTropheis& trophies = *m_Game->GetTrophies();
    Profile()->Trophies.assign(30, 0);
    for (unsigned i = 0; i < 15; ++i) Profile()->Trophies[i] = 1;
    Profile()->UpdateTrophySets();
    trophies.AddNewTrophy(3);
    trophies.m_Set1Announced = true;
    trophies.Start();
    EXPECT_TRUE(trophies.IsAnnouncing());
    EXPECT_FALSE(trophies.GetSetMark(1)->IsHidden());
    EXPECT_TRUE(trophies.GetTrophies()[20]->IsHidden());
    pt::AdvanceFakeTime(2000);
    trophies.Update();
    EXPECT_TRUE(trophies.IsAnnouncing()) << "the swap waits for more than 2000 ms";
    trophies.OnOk();
    EXPECT_TRUE(trophies.IsDone());
    EXPECT_EQ(trophies.GetTrophies()[3]->m_NormalSprite->m_ColorLU >> 24, 255u) << "shown at full strength at once";

    trophies.Start();
    pt::AdvanceFakeTime(9000);
    trophies.Update();
    trophies.Start();
    EXPECT_EQ(trophies.GetSetMark(1)->m_NormalSprite->m_ColorLU >> 24, 255u) << "the mark outlives its announcement";

    PointAt(*trophies.GetTrophies()[0], trophies.GetTrophies()[0]->m_X + 0.01f, trophies.GetTrophies()[0]->m_Y + 0.01f);
    trophies.OnTrophiesClick();
    EXPECT_TRUE(trophies.IsLargeViewShown());
    trophies.OnTrophiesClick();
    EXPECT_FALSE(trophies.IsLargeViewShown()) << "any click closes the large view";
}

TEST_F(ScreensTest, EachTrophysLargeViewShowsItsOwnPictureFromItsSetsSheet)
{
    Start();
    MakeProfile(L"ANN");
    Profile()->Trophies.assign(30, 1);
    Profile()->UpdateTrophySets();
    RGTropheis& trophies = *m_Game->GetTrophies();
    trophies.Start();
    SCore::STextureManager& textures = *RGSpriteCreator::GetViewport()->m_TextureManager;
    const auto& all = trophies.GetTrophies();
    for (uint32_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(i);
        // The pointer moves onto this trophy and off every other.
        for (const auto& trophy : all) PointAt(*trophy, all[i]->m_X + 0.01f, all[i]->m_Y + 0.01f);
        trophies.OnTrophiesClick();
        ASSERT_TRUE(trophies.IsLargeViewShown());
        const TarnEngine::SSprite& picture = *trophies.GetLargePicture();
        EXPECT_EQ(picture.m_Material.m_Texture1, textures.GetTexture(i < 15 ? "TROPHIESETBIG1" : "TROPHIESETBIG2"));
        // Four pictures to a row of the sheet.
        EXPECT_FLOAT_EQ(picture.m_TexCoords.X, 0.25f * float(i % 15 % 4));
        EXPECT_FLOAT_EQ(picture.m_TexCoords.Y, 0.2314453125f * float(i % 15 / 4));
        trophies.OnTrophiesClick();
    }
}

TEST_F(ScreensTest, ShortTrophyNamesAndEmptyIntroSlidesAreMadeSafe)
{
    Start();
    std::string names = "<Trophies>";
    for (int i = 0; i < 10; ++i) names += "<Trophy Name=\"T" + std::to_string(i) + "\"></Trophy>";
    UseFolder({{"Levels/trophies.xml", names + "</Trophies>"},
               {"intro/intro.xml", "<Intro><Slide Texture=\"INTRO1\"></Slide></Intro>"}});
    RGTropheis trophies(nullptr);
    EXPECT_EQ(trophies.GetNames().size(), 30u);
    EXPECT_EQ(trophies.GetNames()[20], "");
    RGIntro intro(nullptr);
    EXPECT_TRUE(intro.GetSlides().empty());
    intro.Start();
    EXPECT_TRUE(intro.IsFinished()) << "nothing to show goes straight on";
}

TEST_F(ScreensTest, IntroStepsThroughItsPicturesAndStartsAgain)
{
    Start();
    RGIntro& intro = *m_Game->GetIntro();
    intro.Start();
    intro.Update();
    EXPECT_EQ(intro.GetBackgroundFade()->m_TransitionState, TarnEngine::STS_FADE_IN);
    for (int i = 0; i < 400 && !intro.IsFinished(); ++i) {
        pt::AdvanceFakeTime(100);
        intro.Update();
    }
    EXPECT_TRUE(intro.IsFinished());
    EXPECT_EQ(intro.GetCurrentSlide(), intro.GetSlides().size());
    intro.Start();
    EXPECT_FALSE(intro.IsFinished());
}

TEST_F(ScreensTest, ComicCameraFollowsItsKeyframesAndAReleasedComicLeavesTheInput)
{
    Start();
    boost::shared_ptr<RGComics> comic = m_Game->GetComicsPack()->GetComics("lvl2");
    ASSERT_TRUE(comic);
    EXPECT_FALSE(m_Game->GetComicsPack()->GetComics("level1"));
    comic->m_KeyFrames = {{{0, 0, 0}, {0, 0, 0}, 2.0f}, {{2, 0, 0}, {0, 2, 0}, 3.0f}, {{4, 0, 0}, {0, 4, 0}, 1.0f}};
    pt::AdvanceFakeTime(1000);
    comic->Update();
    EXPECT_NEAR(comic->GetCamera()->m_Eye.X, 1.0f, 1e-3);
    pt::AdvanceFakeTime(2500);
    comic->Update();
    EXPECT_NEAR(comic->GetCamera()->m_At.Y, 3.0f, 1e-3);
    EXPECT_FALSE(comic->IsFinished());
    pt::AdvanceFakeTime(2500);
    comic->Update();
    EXPECT_TRUE(comic->IsFinished());

    const boost::weak_ptr<TarnEngine::UI::SUIForm> form = comic->GetForm();
    comic.reset();
    EXPECT_TRUE(form.expired()) << "the input thread holds no form of a released comic";
}

} // namespace
