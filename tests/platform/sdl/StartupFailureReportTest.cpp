// A failure on the real game's loader thread reaches the player once: one "Error:" line on stderr
// (and one message box where a display exists), the chain in the log, exit code 1.

#ifdef TARN_GAME
#include "tests/platform/sdl/GameProcess.h"
#endif

#include <gtest/gtest.h>

namespace {

TEST(StartupFailureReportTest, ADamagedTextureIsReportedOnceWithExitCodeOne)
{
#ifdef TARN_GAME
    gametest::GameProcess game;
    tarn_test::WriteBytes((game.Data() / "textures/hud/ptr.png").string(), "\x89PNG\r\n\x1a\n not a picture");
    game.Start();
    ASSERT_TRUE(game.Ends(1200)) << "still running after a minute";
    ASSERT_TRUE(WIFEXITED(game.Status()));
    EXPECT_EQ(WEXITSTATUS(game.Status()), 1);
    EXPECT_EQ(gametest::Count(game.Stderr(), "Error: "), 1u) << game.Stderr();
    EXPECT_NE(game.Stderr().find("Error: can't load texture"), std::string::npos) << game.Stderr();
    EXPECT_NE(game.Log().find(" exception:can't load texture"), std::string::npos) << game.Log();
#else
    FAIL() << "built without the game";
#endif
}

} // namespace
