// A display that is named but cannot be opened ends the real game's start-up with its name, where
// it would otherwise run on a driver that shows nothing. The headless device chosen by name still
// runs whatever the display, and quietly; with no display and no driver chosen the game runs
// headless and says so in one line.

#ifdef TARN_GAME
#include "tests/platform/sdl/GameProcess.h"
#endif

#include <gtest/gtest.h>

namespace {

#ifdef TARN_GAME
const char* const kNoWindow = "no display: the game runs without a window; set DISPLAY to show it, or "
                              "TARN_DISPLAY_DRIVER=opengl or headless to choose the driver";
using gametest::Count;
#endif

TEST(UnopenedDisplayTest, ANamedDisplayThatIsNotThereEndsStartUpUnlessHeadlessIsChosen)
{
#ifdef TARN_GAME
    // A display number no server holds.
    int number = 987;
    while (gametest::fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
           gametest::fs::exists("/tmp/.X" + std::to_string(number) + "-lock"))
        ++number;
    const std::string name = ":" + std::to_string(number);
    const char* absent = name.c_str();
    {
        gametest::GameProcess game;
        game.Start({{"DISPLAY", absent}, {"TARN_DISPLAY_DRIVER", nullptr}});
        ASSERT_TRUE(game.Ends(1200)) << "still running after a minute";
        ASSERT_TRUE(WIFEXITED(game.Status()));
        EXPECT_EQ(WEXITSTATUS(game.Status()), 1);
        EXPECT_NE(game.Stderr().find("can't open display " + name), std::string::npos) << game.Stderr();
        EXPECT_NE(game.Log().find("can't open display " + name), std::string::npos) << game.Log();
        // No message box is tried on the display that is not there.
        EXPECT_EQ(game.Stderr().find("no message box could be shown"), std::string::npos) << game.Stderr();
        EXPECT_EQ(Count(game.Stderr(), "Error: "), 1u) << game.Stderr();
        EXPECT_EQ(Count(game.Stderr(), kNoWindow), 0u) << "a display is named";
    }
    gametest::GameProcess game;
    game.Start({{"DISPLAY", absent}});
    EXPECT_TRUE(game.LogShows(" Starting complete")) << game.Stderr();
    EXPECT_EQ(Count(game.Stderr(), kNoWindow), 0u) << game.Stderr();
    game.Signal(SIGKILL);
    game.Ends(600);
#else
    FAIL() << "built without the game";
#endif
}

TEST(UnopenedDisplayTest, WithNoDisplayAndNoDriverChosenOneLineSaysTheGameRunsWithoutAWindow)
{
#ifdef TARN_GAME
    const struct {
        const char* display; // nullptr: unset
        const char* driver;  // TARN_DISPLAY_DRIVER; nullptr: unset
        size_t lines;
    } cases[] = {
        {nullptr, nullptr, 1},
        {"", nullptr, 1},
        {nullptr, "headless", 0}, // the player chose it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.display ? c.display : "unset") + " / " + (c.driver ? c.driver : "unset"));
        gametest::GameProcess game;
        game.Start({{"DISPLAY", c.display}, {"TARN_DISPLAY_DRIVER", c.driver}});
        EXPECT_TRUE(game.LogShows(" Starting complete")) << game.Stderr();
        EXPECT_EQ(Count(game.Stderr(), kNoWindow), c.lines) << game.Stderr();
        EXPECT_EQ(Count(game.Log(), kNoWindow), c.lines) << game.Log();
        game.Signal(SIGKILL);
        game.Ends(600);
    }
#else
    FAIL() << "built without the game";
#endif
}

} // namespace
