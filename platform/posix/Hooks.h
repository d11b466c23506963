#pragma once
// What the layer's own functions ask the generic test hooks of testing.h (their state lives in
// posix/TestHooks.cpp). Each query is cheap when no hook is set. Internal to platform/.

#include "platform/testing.h"

#include <atomic>

namespace platform {
namespace hooks {

// The real millisecond clock behind timeGetTime (posix/Time.cpp).
DWORD RealClockMs();
// True with the fake clock's value while it is set.
bool FakeTime(DWORD& ms);
// True with the fake local time while it is set.
typedef testing::LocalTime LocalTime;
bool FakeLocalTime(LocalTime& t);
// Carries out (and records) a hooked sleep; false when the caller must sleep for real.
bool HandleSleep(DWORD ms);
// True (and recorded) while the message box hook is on.
bool RecordMessageBox(const char* text, const char* caption, UINT flags);
// True (and recorded) while the shell hook is on.
bool RecordShell(const std::string& verb, const std::string& file, const std::string& target);
// At each call site that can be made to fail ("Interface::Method" or the function name, a string
// literal): counts the call and returns the injected result, or S_OK when nothing is injected.
// Inline, as the device makes ~25 such calls per sprite: without counting or injection the
// check is one relaxed load.
extern std::atomic<bool> g_HooksActive;
HRESULT TakeCountedOrInjected(const char* site);
inline HRESULT TakeInjected(const char* site)
{
    return g_HooksActive.load(std::memory_order_relaxed) ? TakeCountedOrInjected(site) : S_OK;
}

} // namespace hooks
} // namespace platform
