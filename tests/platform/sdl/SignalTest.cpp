// A termination signal ends the real game the way closing its window does, on the headless
// device too: the profiles are saved and the exit code is 0.

#ifdef TARN_GAME
#include "tests/platform/sdl/GameProcess.h"
#endif

#include <gtest/gtest.h>

namespace {

#ifdef TARN_GAME
void EndsOn(int signal)
{
    gametest::GameProcess game;
    game.Start();
    // The log is opened after SDL has taken over the signals, before the profiles are read.
    const bool started = gametest::Within(1200, [&] { return gametest::fs::exists(game.Save() / "log.txt"); });
    if (started) game.Signal(signal);
    const bool ended = game.Ends(600);
    ASSERT_TRUE(started) << "no log.txt within a minute";
    ASSERT_TRUE(ended) << "still running 30 s after the signal";
    ASSERT_TRUE(WIFEXITED(game.Status())) << "ended by signal " << WTERMSIG(game.Status());
    EXPECT_EQ(WEXITSTATUS(game.Status()), 0);
    EXPECT_TRUE(gametest::fs::exists(game.Save() / "users.xml"));
}
#endif

TEST(SignalTest, SigtermAndSigintEndAHeadlessRunSavingTheProfiles)
{
#ifdef TARN_GAME
    EndsOn(SIGTERM);
    EndsOn(SIGINT);
#else
    GTEST_SKIP() << "built without the game";
#endif
}

} // namespace
