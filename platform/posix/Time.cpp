// Time and sleep on POSIX clocks, with the fake clock, fake local time and sleep hooks.

#include "platform/win32.h"

#include "platform/posix/Hooks.h"

#include <cerrno>
#include <ctime>

namespace {

uint64_t MonotonicMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
}

// The clock counts from the layer's start, so it stays below 2^31 for 24 days.
uint64_t StartMs()
{
    static const uint64_t start = MonotonicMs();
    return start;
}
const uint64_t kStartAtLoad = StartMs();

// 0 = Sunday, for the Gregorian calendar.
WORD DayOfWeek(int year, int month, int day)
{
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 1 || month > 12) return 0;
    if (month < 3) year -= 1;
    return WORD((year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7);
}

} // namespace

namespace platform {
namespace hooks {

DWORD RealClockMs() { return DWORD(MonotonicMs() - StartMs()); }

} // namespace hooks
} // namespace platform

DWORD timeGetTime()
{
    DWORD fake;
    if (platform::hooks::FakeTime(fake)) return fake;
    return platform::hooks::RealClockMs();
}

void GetLocalTime(SYSTEMTIME* out)
{
    if (!out) return;
    platform::hooks::LocalTime fake;
    if (platform::hooks::FakeLocalTime(fake)) {
        *out = SYSTEMTIME{fake.year, fake.month, DayOfWeek(fake.year, fake.month, fake.day),
                          fake.day, fake.hour, fake.minute, fake.second, 0};
        return;
    }
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local;
    localtime_r(&ts.tv_sec, &local);
    *out = SYSTEMTIME{WORD(local.tm_year + 1900), WORD(local.tm_mon + 1), WORD(local.tm_wday),
                      WORD(local.tm_mday), WORD(local.tm_hour), WORD(local.tm_min),
                      WORD(local.tm_sec), WORD(ts.tv_nsec / 1000000)};
}

void Sleep(DWORD ms)
{
    if (platform::hooks::HandleSleep(ms)) return;
    timespec left{time_t(ms / 1000), long(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}
