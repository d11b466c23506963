// The level: fixed steps over the fake clock, the scrolling view, spells through the script and
// the trainer it starts.
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/world/RGWorld.h"
#include "tests/game/gameplay/world/WorldFixture.h"

#include <algorithm>
#include <cmath>

using namespace Runegarden;
namespace pt = platform::testing;

namespace {

const char* const kToolsAndWorld =
    "<Tools><Tool ToolType=\"RGTT_WALL\" GameObject=\"RGGOT_WALL\"></Tool></Tools><World><GameObjects><GameObject "
    "Name=\"Balychahl\"><Position X=\"0.5\" Y=\"0.3\" Z=\"0\"></Position></GameObject><GameObject Name=\"SpellWall\">"
    "<Position X=\"0\" Y=\"-0.5\" Z=\"0\"></Position></GameObject></GameObjects><BackGround></BackGround></World>";

class RGLevelTest : public WorldTest {
protected:
    boost::shared_ptr<RGLevel> Read(const std::string& attributes = "SizeX=\"2\" SizeY=\"1\"",
                                    const std::string& toolsAndWorld = kToolsAndWorld)
    {
        boost::shared_ptr<RGLevel> level(new RGLevel("UnknownLevel"));
        const std::string view = attributes.find("PosX") == std::string::npos ? " PosX=\"0\" PosY=\"0\"" : "";
        ReadInto(*level, "<Level Name=\"t\" ShowName=\"T-1\" " + attributes + view +
                             " PlayTime=\"1\" Sun=\"0\">" + toolsAndWorld + "</Level>");
        return level;
    }
};

} // namespace

TEST_F(RGLevelTest, TheWorldRunsWholeTenMillisecondStepsOfTheClockAndCarriesTheRest)
{
    auto level = Read();
    const struct {
        int32_t ms;
        bool paused;
        float remaining;
    } frames[] = {
        {500, false, 0.99f}, // the first frame runs one step however long the loading took
        {25, false, 0.97f},  // two steps, 5 ms carried
        {5, false, 0.96f},   // the carried 5 ms make one more
        {30, true, 0.96f},   // paused: no step, and the time is dropped
        {10, false, 0.95f},
        {-1000, false, 0.95f}, // a clock set back runs no step
        {10, false, 0.94f},
        {2000, false, 0.0f}, // never below 0
    };
    for (const auto& f : frames) {
        pt::AdvanceFakeTime(DWORD(f.ms));
        level->Update(f.paused);
        EXPECT_NEAR(f.remaining, level->m_RemainingPlayTime, 1e-5f) << f.ms;
    }
}

TEST_F(RGLevelTest, TheViewScrollsWithinTheFieldAndSnapsTheOffsetToPixels)
{
    const struct {
        const char* size;
        bool right;
        float limit;
    } cases[] = {{"SizeX=\"1\" SizeY=\"1\"", true, 0.0f},
                 {"SizeX=\"2\" SizeY=\"1\"", true, -1.0f},
                 {"SizeX=\"2\" SizeY=\"1\"", false, 0.0f},
                 {"SizeX=\"0.5\" SizeY=\"1\"", true, 0.0f}}; // narrower than a screen: held at 0
    for (const auto& c : cases) {
        auto level = Read(c.size);
        float lowest = 1.0f;
        for (int frame = 0; frame < 2000; ++frame) {
            pt::AdvanceFakeTime(20);
            if (c.right) level->MoveRight();
            else level->MoveLeft();
            level->Update(false);
            lowest = std::min(lowest, level->GetViewBody().m_Position.X);
            ASSERT_LE(level->GetViewBody().m_Position.X, 0.0f);
        }
        EXPECT_FLOAT_EQ(c.limit, lowest) << c.size;
        // Drawn half a pixel of the 896-pixel field to the left.
        EXPECT_FLOAT_EQ(c.limit - 0.5f / 896.0f, level->GetWorld()->m_Offset.X) << c.size;
    }
}

TEST_F(RGLevelTest, EachArrowScrollsTheViewItsOwnWay)
{
    const struct {
        const char* what;
        void (RGLevel::*move)();
        float x, y; // the way the field point at the screen's corner goes
    } moves[] = {{"left", &RGLevel::MoveLeft, -1, 0}, {"right", &RGLevel::MoveRight, 1, 0},
                 {"up", &RGLevel::MoveUp, 0, -1}, {"down", &RGLevel::MoveDown, 0, 1}};
    for (const auto& m : moves) {
        auto level = Read("SizeX=\"3\" SizeY=\"3\" PosX=\"1\" PosY=\"1\"");
        const SCore::SVector3 start = level->GetViewBody().m_Position;
        for (int frame = 0; frame < 10; ++frame) {
            pt::AdvanceFakeTime(20);
            (*level.*m.move)();
            level->Update(false);
        }
        const SCore::SVector3& view = level->GetViewBody().m_Position;
        EXPECT_EQ(m.x, float((start.X > view.X) - (start.X < view.X))) << m.what;
        EXPECT_EQ(m.y, float((start.Y > view.Y) - (start.Y < view.Y))) << m.what;
    }
}

TEST_F(RGLevelTest, AScrollLetGoComesToRestAlikeOnEitherAxis)
{
    float rest[2];
    for (int axis = 0; axis < 2; ++axis) {
        auto level = Read("SizeX=\"3\" SizeY=\"3\"");
        for (int frame = 0; frame < 300; ++frame) {
            pt::AdvanceFakeTime(20);
            if (frame < 10) axis ? level->MoveDown() : level->MoveRight();
            level->Update(false);
        }
        const SCore::SVector3& view = level->GetViewBody().m_Position;
        rest[axis] = axis ? view.Y : view.X;
    }
    EXPECT_LT(rest[0], 0.0f) << "the push moved the view";
    EXPECT_FLOAT_EQ(rest[0], rest[1]);
}

TEST_F(RGLevelTest, ASpellReachesTheScriptOnlyInsideTheToolAreaAndForAToolTheLevelHas)
{
    const struct {
        RGToolType tool;
        float x, y;
        bool accepted;
    } casts[] = {{RGTT_WALL, 1.0f, 0.5f, false}, {RGTT_BRIDGE, 0.5f, 0.5f, false}, {RGTT_WALL, 0.999f, 0.999f, true}};
    for (const auto& c : casts) {
        auto level = Read();
        EXPECT_EQ(c.accepted, level->ProcessTool(c.tool, c.x, c.y, 0.1f, 0.2f)) << c.x;
        RGScriptLock lock;
        EXPECT_EQ(c.accepted, level->GetWorld()->GetStaticObjects()[0]->IsEnable()) << c.x; // the wall was cast
    }
}

TEST_F(RGLevelTest, WhenEverySpellOfAKindIsInUseTheOldestIsCastAgainAndTheNewestStays)
{
    std::string twoWalls = kToolsAndWorld;
    const std::string wall = "<GameObject Name=\"SpellWall\"><Position X=\"0\" Y=\"-0.5\" Z=\"0\"></Position></GameObject>";
    twoWalls.insert(twoWalls.find("</GameObjects>"), wall);
    auto level = Read("SizeX=\"2\" SizeY=\"1\"", twoWalls);
    const auto positions = [&level] {
        RGScriptLock lock;
        std::vector<float> x;
        for (const auto& object : level->GetWorld()->GetStaticObjects()) x.push_back(object->GetPosition().X);
        return x;
    };
    // Which wall each cast moved, by where the walls stand after it.
    std::vector<size_t> moved;
    for (float at : {0.2f, 0.5f, 0.8f}) {
        const std::vector<float> before = positions();
        ASSERT_EQ(2u, before.size());
        ASSERT_TRUE(level->ProcessTool(RGTT_WALL, at, 0.5f, 0.1f, 0.2f));
        pt::AdvanceFakeTime(10);
        level->Update(false);
        const std::vector<float> after = positions();
        for (size_t i = 0; i < after.size(); ++i)
            if (std::fabs(after[i] - before[i]) > 0.1f) moved.push_back(i);
    }
    ASSERT_EQ(3u, moved.size()) << "each cast moves exactly one wall";
    EXPECT_NE(moved[0], moved[1]) << "the second cast takes the free wall";
    EXPECT_EQ(moved[0], moved[2]) << "the third takes the oldest, not the wall just cast";
}

TEST_F(RGLevelTest, ALevelIsWonOnceNoActorIsInPlayAndOneIsHomeAndLostWhenNoneIsHome)
{
    // Each actor: 'w' walking, 'h' home, 'd' dead.
    const struct {
        const char* actors;
        bool done, failed;
    } cases[] = {{"hhh", true, false}, {"hdh", true, false}, {"ddd", false, true}, {"hhw", false, false}};
    std::string three = kToolsAndWorld;
    const std::string actor = "<GameObject Name=\"Balychahl\"><Position X=\"0.5\" Y=\"0.3\" Z=\"0\"></Position></GameObject>";
    three.insert(three.find("</GameObjects>"), actor + actor);
    for (const auto& c : cases) {
        auto level = Read("SizeX=\"2\" SizeY=\"1\"", three);
        std::vector<boost::shared_ptr<RGPythonObject>> actors;
        level->GetActors(actors);
        ASSERT_EQ(3u, actors.size());
        {
            RGScriptLock lock;
            for (size_t i = 0; i < actors.size(); ++i) {
                const char state = c.actors[i];
                actors[i]->SetPropertyValueBoolean(RGPythonHandle::FromString("is_enable"), state == 'w');
                actors[i]->SetPropertyValueBoolean(RGPythonHandle::FromString("home"), state == 'h');
                actors[i]->SetPropertyValueBoolean(RGPythonHandle::FromString("islife"), state != 'd');
            }
        }
        EXPECT_EQ(c.done, level->IsDone()) << c.actors;
        EXPECT_EQ(c.failed, level->IsFailed()) << c.actors;
    }
}

TEST_F(RGLevelTest, AScriptModuleWithoutARuleFunctionRefusesTheLevelAtLoad)
{
    const struct {
        int spoil;
        const char* text;
    } cases[] = {{0, "can't get ModuleAttribute[is_failed]"},
                 {1, "the [is_done] is not a function name of module [rgpy_factory]"}};
    for (const auto& c : cases) {
        Call("spoil_rule", c.spoil);
        EXPECT_TRUE(tarn_test::ThrowsStartingWith([&] { Read(); }, c.text));
        Call("restore");
    }
    EXPECT_FALSE(Read()->IsFailed()) << "the rules are bound again once the module has them";
}

TEST_F(RGLevelTest, ASpellCastWhileTheViewIsScrolledMovesWithTheViewOnItsOwnAxisOnly)
{
    SCore::SVector3 still, scrolled;
    float scroll = 0.0f;
    for (bool right : {false, true}) {
        auto level = Read();
        level->Update(false);
        const float before = level->GetWorld()->m_Offset.X;
        for (int frame = 0; right && frame < 100; ++frame) {
            pt::AdvanceFakeTime(20);
            level->MoveRight();
            level->Update(false);
        }
        if (right) scroll = level->GetWorld()->m_Offset.X - before;
        ASSERT_TRUE(level->ProcessTool(RGTT_WALL, 0.5f, 0.5f, 0.1f, 0.2f));
        pt::AdvanceFakeTime(10);
        level->Update(false); // the body takes the place the script gave the spell
        RGScriptLock lock;
        (right ? scrolled : still) = level->GetWorld()->GetStaticObjects()[0]->GetPosition();
    }
    ASSERT_LT(scroll, -0.1f) << "the view scrolled";
    // Within what one step of the world moves a wall.
    EXPECT_NEAR(scrolled.X - still.X, -scroll, 1e-3f) << "the spell lands where it was drawn in the world";
    EXPECT_NEAR(scrolled.Y, still.Y, 1e-3f) << "a horizontal scroll leaves its height";
}

TEST_F(RGLevelTest, TheTutorialStartsWithTheFirstFrameAndStandsStillWhilePaused)
{
    // Loading and the start prompt take 3 s; the opening wait still runs its whole 2 s after them,
    // goes on only after more than 2 s, and stands still while paused.
    tarn_test::WriteBytes(m_Dir.File("help.xml"),
                          "<LevelTrainer><C Type=\"RGLevelTrainerCommandWait\" Time=\"2000\"></C>"
                          "<C Type=\"RGLevelTrainerCommandShowTeacher\" X=\"0.1\" Y=\"0.1\"></C></LevelTrainer>");
    auto level = Read("SizeX=\"2\" SizeY=\"1\" Help=\"" + m_Dir.File("help.xml") + "\"");
    pt::AdvanceFakeTime(3000);
    level->Update(true);
    level->Update(false);
    pt::AdvanceFakeTime(2000);
    level->Update(false);
    EXPECT_EQ(0u, level->GetTrainer()->GetCurrentIndex());
    pt::AdvanceFakeTime(1);
    level->Update(true);
    EXPECT_EQ(0u, level->GetTrainer()->GetCurrentIndex());
    level->Update(false);
    EXPECT_EQ(1u, level->GetTrainer()->GetCurrentIndex());
}
