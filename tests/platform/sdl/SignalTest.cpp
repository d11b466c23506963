// A termination signal ends the real game the way closing its window does, on the headless
// device too: the profiles are saved and the exit code is 0.

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

#ifdef TARN_GAME
// Polls until the condition holds, for at most the given number of 50 ms steps.
template <typename Condition> bool Within(int steps, Condition condition)
{
    for (int i = 0; i < steps; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(50)))
        if (condition()) return true;
    return false;
}

void EndsOn(int signal)
{
    tarn_test::TempDir home;
    const fs::path data = home.Path() / "data";
    fs::copy(TARN_DATA_DIR, data, fs::copy_options::recursive);
    const fs::path save = home.Path() / "Documents" / "Mossbrook_Cinderwell";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (chdir(data.c_str()) != 0) _exit(126);
        setenv("HOME", home.Path().c_str(), 1);
        setenv("TARN_DISPLAY_DRIVER", "headless", 1);
        unsetenv("XDG_DOCUMENTS_DIR");
        unsetenv("DISPLAY"); // no SDL video at all, as on a machine without a display
        unsetenv("WAYLAND_DISPLAY");
        execl(TARN_GAME, TARN_GAME, static_cast<char*>(nullptr));
        _exit(127);
    }
    // The log is opened after SDL has taken over the signals, before the profiles are read.
    int status = 0;
    const bool started = Within(1200, [&] { return fs::exists(save / "log.txt"); });
    if (started) kill(child, signal);
    const bool ended = Within(600, [&] { return waitpid(child, &status, WNOHANG) == child; });
    if (!ended) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    ASSERT_TRUE(started) << "no log.txt within a minute";
    ASSERT_TRUE(ended) << "still running 30 s after the signal";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(fs::exists(save / "users.xml"));
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
