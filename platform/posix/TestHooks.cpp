// The generic test hooks (platform/testing.h): fake clocks, the Sleep, message box and shell
// hooks, failure injection.
// One mutex guards all of them. What runs on every frame or every device call reads atomics
// instead: the clock, and the injection check, which while nothing is injected and no calls are
// counted (the running game) costs one relaxed load.

#include "platform/posix/Hooks.h"
#include "platform/testing.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

namespace platform {
namespace {

// A call site's count and injected results. Never destroyed, so that the lock-free look-up
// below may hand it out; the results are guarded by the hooks' mutex.
struct SiteState {
    explicit SiteState(const std::string& siteName) : name(siteName) {}
    bool Armed() const { return always || !queue.empty() || !onCall.empty(); }

    const std::string name;
    std::atomic<unsigned> calls{0};
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

    std::map<std::string, std::unique_ptr<SiteState>> sites;
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

// Whether any site has results injected; updated under the mutex whenever that may change.
std::atomic<bool> g_Injecting{false};
std::atomic<bool> g_Counting{false};

void UpdateInjecting(const HookState& s)
{
    bool armed = false;
    for (const auto& site : s.sites) armed = armed || site.second->Armed();
    g_Injecting.store(armed, std::memory_order_release);
    hooks::g_HooksActive.store(armed || g_Counting.load(std::memory_order_relaxed), std::memory_order_release);
}

// The mutex must be held.
SiteState& SiteNamed(HookState& s, const std::string& name)
{
    std::unique_ptr<SiteState>& site = s.sites[name];
    if (!site) site.reset(new SiteState(name));
    return *site;
}

// Call sites by the address of their name (the layer passes string literals), so that a call
// finds its site without building a key or taking the mutex. The name is still compared, as an
// address may come back with other text. Slots are filled under the mutex and never emptied.
struct SiteSlot {
    std::atomic<const char*> name{nullptr};
    std::atomic<SiteState*> site{nullptr};
};
const size_t kSlots = 1024, kProbes = 8;
SiteSlot g_Slots[kSlots];

size_t SlotOf(const char* name)
{
    return size_t((uint64_t(reinterpret_cast<uintptr_t>(name)) * 0x9E3779B97F4A7C15ull) >> 54) % kSlots;
}

SiteState& FindSite(const char* name)
{
    const size_t first = SlotOf(name);
    for (size_t i = 0; i < kProbes; ++i) {
        SiteSlot& slot = g_Slots[(first + i) % kSlots];
        const char* key = slot.name.load(std::memory_order_acquire);
        if (!key) break;
        if (key != name) continue;
        SiteState* site = slot.site.load(std::memory_order_acquire);
        if (std::strcmp(site->name.c_str(), name) == 0) return *site;
    }
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    SiteState& site = SiteNamed(s, name);
    for (size_t i = 0; i < kProbes; ++i) {
        SiteSlot& slot = g_Slots[(first + i) % kSlots];
        const char* key = slot.name.load(std::memory_order_relaxed);
        if (key && key != name) continue;
        slot.site.store(&site, std::memory_order_release);
        slot.name.store(name, std::memory_order_release);
        break;
    }
    return site;
}

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
    SiteNamed(s, site).queue.push_back(result);
    UpdateInjecting(s);
}

void InjectOnNthCall(const std::string& site, unsigned n, HRESULT result)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    SiteState& site_ = SiteNamed(s, site);
    site_.onCall[site_.calls.load() + n] = result; // n counts from the next call
    UpdateInjecting(s);
}

void InjectAlways(const std::string& site, HRESULT result)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    SiteState& site_ = SiteNamed(s, site);
    site_.always = true;
    site_.alwaysResult = result;
    UpdateInjecting(s);
}

void InjectQueue(const std::string& site, const std::vector<HRESULT>& results)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    SiteState& site_ = SiteNamed(s, site);
    site_.queue.insert(site_.queue.end(), results.begin(), results.end());
    UpdateInjecting(s);
}

void ClearInjections()
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    for (auto& entry : s.sites) {
        SiteState& site = *entry.second;
        site.calls.store(0);
        site.queue.clear();
        site.onCall.clear();
        site.always = false;
        site.alwaysResult = S_OK;
    }
    UpdateInjecting(s);
}

void CountCalls(bool enabled)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    g_Counting.store(enabled, std::memory_order_relaxed);
    UpdateInjecting(s);
}

unsigned CallCount(const std::string& site)
{
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.sites.find(site);
    return it == s.sites.end() ? 0 : it->second->calls.load();
}

} // namespace testing

namespace hooks {

// Counting on or something injected: whether a call has to find its site at all.
std::atomic<bool> g_HooksActive{false};

HRESULT TakeCountedOrInjected(const char* site)
{
    SiteState& site_ = FindSite(site);
    if (!g_Injecting.load(std::memory_order_acquire)) {
        site_.calls.fetch_add(1, std::memory_order_relaxed);
        return S_OK;
    }
    HookState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    const unsigned call = site_.calls.fetch_add(1) + 1;
    HRESULT result = site_.always ? site_.alwaysResult : S_OK;
    auto nth = site_.onCall.find(call);
    if (nth != site_.onCall.end()) {
        result = nth->second;
        site_.onCall.erase(nth);
    } else if (!site_.queue.empty()) {
        result = site_.queue.front();
        site_.queue.pop_front();
    }
    UpdateInjecting(s);
    return result;
}

} // namespace hooks
} // namespace platform
