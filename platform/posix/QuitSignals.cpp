// Quit signals (platform/signals.h). The handler only stores flags or re-raises with the default
// action, both safe in a signal handler.

#include "platform/signals.h"

#include "platform/posix/QuitSignals.h"

#include <atomic>
#include <initializer_list>
#include <signal.h>

namespace platform {
namespace {

std::atomic<bool> g_Started{false};
std::atomic<bool> g_QuitRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "flags set in a signal handler");

void OnQuitSignal(int signal)
{
    if (g_Started.load()) {
        g_QuitRequested.store(true);
        return;
    }
    // Delivered when the handler returns, with the default action: the process ends.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

} // namespace

void InstallQuitSignals()
{
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current = {};
        if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
        struct sigaction action = {};
        action.sa_handler = &OnQuitSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(signal, &action, nullptr);
    }
}

void MarkStartupComplete() { g_Started.store(true); }

namespace signals {

bool TakeQuitRequest() { return g_QuitRequested.exchange(false); }

} // namespace signals
} // namespace platform
