#pragma once
// Test hooks of the platform layer. Without any hook set the layer behaves as the real platform
// would. Hooks are process-wide and thread-safe; ResetAll() puts every one back.
//
// This header holds the generic hooks (clocks, Sleep, message box, shell, failure injection;
// platform/posix/TestHooks.cpp). Each area has its own header, which a test includes when it
// drives that area: testing_render.h, testing_input.h, testing_audio.h, testing_signals.h.
// ResetAll() resets them all.

#include "platform/wintypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace platform {
namespace testing {

// Puts every hook of every area back to its default.
void ResetAll();

// Each area registers the function that puts its own hooks back; ResetAll() calls them in order
// of registration. Register from the file that holds the area's hook state, e.g.
//   static const platform::testing::ResetRegistration kReset(&ResetRenderHooks);
void RegisterReset(void (*reset)());
struct ResetRegistration {
    explicit ResetRegistration(void (*reset)()) { RegisterReset(reset); }
};

// --- Fake clock ------------------------------------------------------------------------------
// While set, timeGetTime() returns this value (wrapping at 2^32) instead of the real clock.
// AdvanceFakeTime on an unset clock starts it from the real clock's current value.
void SetFakeTime(DWORD ms);
void AdvanceFakeTime(DWORD ms);
bool IsFakeTimeSet();
void ClearFakeTime();

// --- Fake local time -------------------------------------------------------------------------
// While set, GetLocalTime() returns this time (day of week computed, milliseconds 0).
struct LocalTime {
    WORD year, month, day, hour, minute, second;
};
void SetFakeLocalTime(const LocalTime& t);
void ClearFakeLocalTime();

// --- Sleep hook ------------------------------------------------------------------------------
// Every Sleep(ms) is recorded while a mode other than Real is set. The mode decides what the
// call does.
enum class SleepMode {
    Real,           // the default: sleep for real
    Return,         // return at once
    AdvanceClock,   // return at once after advancing the fake clock by ms (sets it if unset)
    Block,          // wait until ReleaseSleepers() (or the mode changes)
};
struct SleepCall {
    DWORD ms;
    std::thread::id thread;
};
void SetSleepMode(SleepMode mode);
std::vector<SleepCall> SleepCalls();
void ClearSleepCalls();
void ReleaseSleepers();
// Blocks the test until at least n Sleep calls are recorded or timeoutMs of real time pass;
// returns whether they came. For synchronising with a worker thread, never for timing.
bool WaitForSleepCalls(size_t n, unsigned timeoutMs = 10000);

// --- Message box hook ------------------------------------------------------------------------
// While enabled, MessageBoxA records its arguments and returns IDOK at once.
struct MessageBoxCall {
    std::string text;
    std::string caption;
    UINT flags;
};
void HookMessageBox(bool enabled);
std::vector<MessageBoxCall> MessageBoxCalls();
void ClearMessageBoxCalls();

// --- Shell hook ------------------------------------------------------------------------------
// While enabled, ShellExecuteA and WinExec record the request instead of starting anything.
// ShellExecuteA still checks its file first (missing file, shortcut without a web address) and
// records only what it would have started.
struct ShellCall {
    std::string verb;   // "open" for ShellExecuteA, "exec" for WinExec
    std::string file;   // as the caller gave it
    std::string target; // what would be opened: the shortcut's URL or the mapped path
};
void HookShell(bool enabled);
std::vector<ShellCall> ShellCalls();
void ClearShellCalls();

// --- Failure injection -----------------------------------------------------------------------
// A call site is named "Interface::Method" or by the function name ("IDirect3DDevice9::Reset",
// "DirectInput8Create", "mmioDescend", "CreateDirectoryW"). A call site with queued results
// returns the next one instead of doing its work; S_OK in the queue means "do the real work".
// For calls that fail with NULL/FALSE/0, any failing HRESULT in the queue makes them fail.
void InjectOnce(const std::string& site, HRESULT result);
// n counts from 1 at the next call to the site.
void InjectOnNthCall(const std::string& site, unsigned n, HRESULT result);
void InjectAlways(const std::string& site, HRESULT result);
void InjectQueue(const std::string& site, const std::vector<HRESULT>& results);
void ClearInjections();
// Number of calls that reached the site since the last ClearInjections(). Calls are counted only
// while counting is on (every test binary turns it on at start) or something is injected.
void CountCalls(bool enabled);
unsigned CallCount(const std::string& site);

} // namespace testing
} // namespace platform
