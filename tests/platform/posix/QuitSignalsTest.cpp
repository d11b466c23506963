// Quit signals in a started program, each case in a child process of its own: a signal whose quit
// the run loop never reaches (its main thread held, as by a script that never returns) ends the
// program by that signal once the grace runs out, even after the pump took the request; a program
// on its way out is not cut short; a signal the parent ignored stays ignored.

#include "platform/posix/QuitSignals.h"
#include "platform/signals.h"
#include "platform/testing_signals.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>

namespace pt = platform::testing;

namespace {

// The main thread held. A child still running after a minute ends by SIGALRM, failing the case.
[[noreturn]] void Hold()
{
    alarm(60);
    for (;;) pause();
}

void Start(DWORD graceMs)
{
    pt::SetQuitGrace(graceMs);
    platform::InstallQuitSignals();
    platform::MarkStartupComplete();
}

class QuitSignalsTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(QuitSignalsTest, ASignalThatTheRunLoopNeverActsOnEndsTheProgramByThatSignal)
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        EXPECT_EXIT(
            {
                Start(50);
                kill(getpid(), signal);
                // The pump takes the request (the window is closed), but the loop never turns.
                if (!platform::signals::TakeQuitRequest()) std::_Exit(3);
                Hold();
            },
            ::testing::KilledBySignal(signal), "");
    }
}

TEST_F(QuitSignalsTest, AProgramOnItsWayOutIsNotCutShortWhateverItsExitTakes)
{
    EXPECT_EXIT(
        {
            Start(5000);
            kill(getpid(), SIGTERM);
            if (!platform::signals::TakeQuitRequest()) std::_Exit(3);
            // Returns once the watch has stood down: it does not end the process.
            platform::MarkShutdownStarted();
            kill(getpid(), SIGINT); // a later signal is only a request
            std::_Exit(platform::signals::TakeQuitRequest() ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(QuitSignalsTest, ASignalTheParentIgnoredStaysIgnored)
{
    EXPECT_EXIT(
        {
            ::signal(SIGTERM, SIG_IGN);
            Start(50);
            kill(getpid(), SIGTERM);
            kill(getpid(), SIGHUP); // ends the program, since the ignored one did not count
            Hold();
        },
        ::testing::KilledBySignal(SIGHUP), "");
}

} // namespace
