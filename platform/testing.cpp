// The generic test hooks: fake clocks, the Sleep, message box and shell hooks, failure injection.
// One mutex guards all of them; the clock is atomic because timeGetTime runs every frame.

#include "platform/testing.h"

#include "platform/posix/Hooks.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

namespace platform {
namespace {

struct SiteState {
    unsigned calls = 0;
    std::deque<HRESULT> queue;
    std::map<unsigned, HRESULT> onCall; // call number -> result
    bool always = false;
    HRESULT alwaysResult = S_OK;
};

struct HookState {
    std::mutex mutex;
    std::condition_variable sleepChanged;

    bool localTimeSet = false;
    testing::LocalTime localTime{};

    testing::SleepMode sleepMode = testing::SleepMode::Real;
    std::vector<testing::SleepCall> sleepCalls;
    unsigned long long releaseGeneration = 0;

    bool messageBoxHooked = false;
    std::vector<testing::MessageBoxCall> messageBoxCalls;

    bool shellHooked = false;
    std::vector<testing::ShellCall> shellCalls;

    std::map<std::string, SiteState> sites;
    std::vector<void (*)()> resets;
};

// Never destroyed: threads that outlive main may still sleep or ask for the time.
HookState& State()
{
    static HookState* state = new HookState;
    return *state;
}

std::atomic<bool> g_FakeTimeSet{false};
std::atomic<DWORD> g_FakeTime{0};

} // namespace

namespace hooks {

bool FakeTime(DWORD& ms)
{
    if (!g_FakeTimeSet.load(std::memory_order_acquire)) return false;
    ms = g_FakeTime.load(std::memory_order_acquire);
    return true;
}

bool FakeLocalTime(testing::LocalTime& t)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!s.localTimeSet) return false;
    t = s.localTime;
    return true;
}

bool HandleSleep(DWORD ms)
{
    HookState& s = State();
    std::unique_lock<std::mutex> lock(s.mutex);
    // The running program sleeps for real every 50 ms on its input thread: keep no log of that.
    if (s.sleepMode == testing::SleepMode::Real) return false;
    s.sleepCalls.push_back(testing::SleepCall{ms, std::this_thread::get_id()});
    s.sleepChanged.notify_all();
    switch (s.sleepMode) {
    case testing::SleepMode::Real:
        return false;
    case testing::SleepMode::Return:
        return true;
    case testing::SleepMode::AdvanceClock:
        lock.unlock();
        testing::AdvanceFakeTime(ms);
        return true;
    case testing::SleepMode::Block: {
        const unsigned long long generation = s.releaseGeneration;
        s.sleepChanged.wait(lock, [&] {
            return s.releaseGeneration != generation || s.sleepMode != testing::SleepMode::Block;
        });
        return true;
    }
    }
    return false;
}

bool RecordMessageBox(const char* text, const char* caption, UINT flags)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!s.messageBoxHooked) return false;
    s.messageBoxCalls.push_back(
        testing::MessageBoxCall{text ? text : "", caption ? caption : "", flags});
    return true;
}

bool RecordShell(const std::string& verb, const std::string& file, const std::string& target)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!s.shellHooked) return false;
    s.shellCalls.push_back(testing::ShellCall{verb, file, target});
    return true;
}

} // namespace hooks

namespace testing {

void RegisterReset(void (*reset)())
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.resets.push_back(reset);
}

void ResetAll()
{
    ClearFakeTime();
    ClearFakeLocalTime();
    SetSleepMode(SleepMode::Real);
    ReleaseSleepers();
    ClearSleepCalls();
    HookMessageBox(false);
    ClearMessageBoxCalls();
    HookShell(false);
    ClearShellCalls();
    ClearInjections();

    std::vector<void (*)()> resets;
    {
        HookState& s = State();
        std::lock_guard<std::mutex> lock(s.mutex);
        resets = s.resets;
    }
    for (void (*reset)() : resets) reset();
}

// --- Fake clock ------------------------------------------------------------------------------

void SetFakeTime(DWORD ms)
{
    g_FakeTime.store(ms, std::memory_order_release);
    g_FakeTimeSet.store(true, std::memory_order_release);
}

void AdvanceFakeTime(DWORD ms)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex); // serialises the start from the real clock
    if (!g_FakeTimeSet.load(std::memory_order_acquire)) {
        g_FakeTime.store(hooks::RealClockMs(), std::memory_order_release);
        g_FakeTimeSet.store(true, std::memory_order_release);
    }
    g_FakeTime.fetch_add(ms, std::memory_order_acq_rel); // unsigned: wraps modulo 2^32
}

bool IsFakeTimeSet() { return g_FakeTimeSet.load(std::memory_order_acquire); }

void ClearFakeTime() { g_FakeTimeSet.store(false, std::memory_order_release); }

// --- Fake local time -------------------------------------------------------------------------

void SetFakeLocalTime(const LocalTime& t)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.localTime = t;
    s.localTimeSet = true;
}

void ClearFakeLocalTime()
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.localTimeSet = false;
}

// --- Sleep hook ------------------------------------------------------------------------------

void SetSleepMode(SleepMode mode)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.sleepMode = mode;
    s.sleepChanged.notify_all();
}

std::vector<SleepCall> SleepCalls()
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.sleepCalls;
}

void ClearSleepCalls()
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.sleepCalls.clear();
}

void ReleaseSleepers()
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    ++s.releaseGeneration;
    s.sleepChanged.notify_all();
}

bool WaitForSleepCalls(size_t n, unsigned timeoutMs)
{
    HookState& s = State();
    std::unique_lock<std::mutex> lock(s.mutex);
    return s.sleepChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                   [&] { return s.sleepCalls.size() >= n; });
}

// --- Message box hook ------------------------------------------------------------------------

void HookMessageBox(bool enabled)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.messageBoxHooked = enabled;
}

std::vector<MessageBoxCall> MessageBoxCalls()
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.messageBoxCalls;
}

void ClearMessageBoxCalls()
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.messageBoxCalls.clear();
}

// --- Shell hook ------------------------------------------------------------------------------

void HookShell(bool enabled)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.shellHooked = enabled;
}

std::vector<ShellCall> ShellCalls()
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.shellCalls;
}

void ClearShellCalls()
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.shellCalls.clear();
}

// --- Failure injection -----------------------------------------------------------------------

void InjectOnce(const std::string& site, HRESULT result)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.sites[site].queue.push_back(result);
}

void InjectOnNthCall(const std::string& site, unsigned n, HRESULT result)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    SiteState& site_ = s.sites[site];
    site_.onCall[site_.calls + n] = result; // n counts from the next call
}

void InjectAlways(const std::string& site, HRESULT result)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    SiteState& site_ = s.sites[site];
    site_.always = true;
    site_.alwaysResult = result;
}

void InjectQueue(const std::string& site, const std::vector<HRESULT>& results)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    SiteState& site_ = s.sites[site];
    site_.queue.insert(site_.queue.end(), results.begin(), results.end());
}

void ClearInjections()
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.sites.clear();
}

unsigned CallCount(const std::string& site)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.sites.find(site);
    return it == s.sites.end() ? 0 : it->second.calls;
}

HRESULT TakeInjected(const char* site)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    SiteState& site_ = s.sites[site];
    const unsigned call = ++site_.calls;
    auto nth = site_.onCall.find(call);
    if (nth != site_.onCall.end()) {
        const HRESULT result = nth->second;
        site_.onCall.erase(nth);
        return result;
    }
    if (!site_.queue.empty()) {
        const HRESULT result = site_.queue.front();
        site_.queue.pop_front();
        return result;
    }
    return site_.always ? site_.alwaysResult : S_OK;
}

} // namespace testing
} // namespace platform
