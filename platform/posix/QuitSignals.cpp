// Quit signals (platform/signals.h). The handler only stores flags, posts a semaphore or re-raises
// with the default action, all safe in a signal handler.
//
// A quit the program does not act on is ended by a watch thread, not by an alarm() the handler
// sets: SIGALRM belongs to the whole process (a script may use it), while the thread needs only a
// semaphore to wake on and can wait for the run loop's end. It gives the program the grace period
// from the first signal to the end of its run loop; the save after the loop is never cut short.
// One cut short before it (the input thread's, while a script holds the main thread) leaves the
// last complete users.xml: saves write users.xml.tmp and rename it over the file.

#include "platform/signals.h"

#include "platform/posix/QuitSignals.h"
#include "platform/testing.h"
#include "platform/testing_signals.h"

#include <atomic>
#include <cerrno>
#include <ctime>
#include <initializer_list>
#include <semaphore.h>
#include <signal.h>
#include <thread>

namespace platform {
namespace {

const DWORD kGraceMs = 5000;
const int kQuitSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<bool> g_Started{false};
std::atomic<bool> g_Leaving{false};
std::atomic<bool> g_QuitRequested{false};
// The first quit signal of the run: the one that ends it when the grace runs out.
std::atomic<int> g_Signal{0};
std::atomic<DWORD> g_GraceMs{kGraceMs};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "flags set in a signal handler");

// Posted by the handler and when the program starts to leave. Never destroyed: the watch waits
// on it to the end of the process.
sem_t g_Wake;
std::thread* g_Watch = nullptr;

void OnQuitSignal(int signal)
{
    if (g_Started.load()) {
        g_QuitRequested.store(true);
        int none = 0;
        g_Signal.compare_exchange_strong(none, signal);
        sem_post(&g_Wake);
        return;
    }
    // Delivered when the handler returns, with the default action: the process ends.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

sigset_t QuitSignalSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kQuitSignals) sigaddset(&set, signal);
    return set;
}

void EndBySignal(int signal)
{
    ::signal(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(signal);
}

void Watch()
{
    while (sem_wait(&g_Wake) != 0) {
    }
    timespec deadline;
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    const long long nanoseconds = deadline.tv_nsec + g_GraceMs.load() * 1000000LL;
    deadline.tv_sec += time_t(nanoseconds / 1000000000LL);
    deadline.tv_nsec = long(nanoseconds % 1000000000LL);
    // Each further wake is a later signal or the program leaving.
    while (!g_Leaving.load()) {
        if (sem_clockwait(&g_Wake, CLOCK_MONOTONIC, &deadline) != 0 && errno == ETIMEDOUT) {
            if (!g_Leaving.load()) EndBySignal(g_Signal.load());
            return;
        }
    }
}

void ResetSignalHooks() { g_GraceMs.store(kGraceMs); }
const testing::ResetRegistration kReset(&ResetSignalHooks);

} // namespace

void InstallQuitSignals()
{
    if (g_Watch) return;
    sem_init(&g_Wake, 0, 0);
    bool handled = false;
    for (int signal : kQuitSignals) {
        struct sigaction current = {};
        if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
        struct sigaction action = {};
        action.sa_handler = &OnQuitSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(signal, &action, nullptr);
        handled = true;
    }
    if (!handled) return;
    // The watch takes none of the signals (its waits stay uninterrupted); it inherits the mask.
    const sigset_t quit = QuitSignalSet();
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &quit, &previous);
    g_Watch = new std::thread(&Watch);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

void MarkStartupComplete() { g_Started.store(true); }

void MarkShutdownStarted()
{
    g_Leaving.store(true);
    if (!g_Watch || !g_Watch->joinable()) return;
    // Woken, the watch stands down at once (or is already ending the process): joined, it leaves
    // no thread behind.
    sem_post(&g_Wake);
    g_Watch->join();
}

namespace signals {

bool TakeQuitRequest() { return g_QuitRequested.exchange(false); }

} // namespace signals

namespace testing {

void SetQuitGrace(DWORD ms) { g_GraceMs.store(ms); }

} // namespace testing
} // namespace platform
