// A display that is named but cannot be opened ends the real game's start-up with its name, where
// it would otherwise run on a driver that shows nothing. The headless device chosen by name still
// runs whatever the display.

#ifdef TARN_GAME
#include "tests/platform/sdl/GameProcess.h"
#endif

#include <gtest/gtest.h>

namespace {

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
    }
    gametest::GameProcess game;
    game.Start({{"DISPLAY", absent}});
    EXPECT_TRUE(game.LogShows(" Starting complete")) << game.Stderr();
    game.Signal(SIGKILL);
    game.Ends(600);
#else
    FAIL() << "built without the game";
#endif
}

} // namespace
