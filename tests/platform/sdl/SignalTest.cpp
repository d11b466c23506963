// Quit signals from outside the real game, on the headless device. Once started, SIGTERM, SIGINT
// and SIGHUP (the terminal closed) end it the way closing its window does: the profiles are saved
// and the exit code is 0. During start-up, which a script looping at import never finishes, the
// signal ends it at once with nothing written.

#ifdef TARN_GAME
#include "tests/platform/sdl/GameProcess.h"
#endif

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

#ifdef TARN_GAME
void EndsOn(int signal)
{
    SCOPED_TRACE(signal);
    gametest::GameProcess game;
    game.Start();
    const bool started = game.LogShows(" Starting complete");
    if (started) game.Signal(signal);
    const bool ended = game.Ends(600);
    ASSERT_TRUE(started) << "not started within a minute";
    ASSERT_TRUE(ended) << "still running 30 s after the signal";
    ASSERT_TRUE(WIFEXITED(game.Status())) << "ended by signal " << WTERMSIG(game.Status());
    EXPECT_EQ(WEXITSTATUS(game.Status()), 0);
    EXPECT_TRUE(gametest::fs::exists(game.Save() / "users.xml"));
}
#endif

TEST(SignalTest, SigtermSigintAndSighupEndAHeadlessRunSavingTheProfiles)
{
#ifdef TARN_GAME
    EndsOn(SIGTERM);
    EndsOn(SIGINT);
    EndsOn(SIGHUP);
#else
    FAIL() << "built without the game";
#endif
}

TEST(SignalTest, ASignalDuringAStartUpThatNeverEndsEndsTheProcessWritingNothing)
{
#ifdef TARN_GAME
    gametest::GameProcess game;
    const std::string script = (game.Data() / "scripts" / "rgpy_factory.py").string();
    tarn_test::WriteBytes(script, "while True:\n    pass\n" + tarn_test::ReadBytes(script));
    gametest::fs::create_directories(game.Save());
    const std::string users = (game.Save() / "users.xml").string();
    tarn_test::WriteBytes(users, tarn_test::ReadBytes(TARN_SOURCE_DIR "/tests/e2e/three_levels_won.xml"));
    const std::string before = tarn_test::ReadBytes(users);
    game.Start();
    const bool loading = game.LogShows(" Init objects");
    if (loading) game.Signal(SIGTERM);
    const bool ended = game.Ends(200);
    ASSERT_TRUE(loading) << "no loading within a minute";
    ASSERT_TRUE(ended) << "still running 10 s after the signal";
    EXPECT_TRUE(WIFSIGNALED(game.Status()) && WTERMSIG(game.Status()) == SIGTERM) << "ended as the signal ends it";
    EXPECT_EQ(tarn_test::ReadBytes(users), before);
#else
    FAIL() << "built without the game";
#endif
}

} // namespace
