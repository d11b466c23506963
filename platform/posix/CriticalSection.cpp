// Critical sections as recursive mutexes.

#include "platform/win32.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

std::recursive_mutex& Mutex(CRITICAL_SECTION* cs)
{
    if (!cs || !cs->impl) {
        // Using a section that was never initialised (or already deleted) is a programming error
        // that would corrupt memory on Windows; stop at once with a clear line instead.
        std::fputs("critical section used before InitializeCriticalSection\n", stderr);
        std::abort();
    }
    return *static_cast<std::recursive_mutex*>(cs->impl);
}

} // namespace

void InitializeCriticalSection(CRITICAL_SECTION* cs) { cs->impl = new std::recursive_mutex; }

void EnterCriticalSection(CRITICAL_SECTION* cs) { Mutex(cs).lock(); }

BOOL TryEnterCriticalSection(CRITICAL_SECTION* cs) { return Mutex(cs).try_lock() ? TRUE : FALSE; }

void LeaveCriticalSection(CRITICAL_SECTION* cs) { Mutex(cs).unlock(); }

void DeleteCriticalSection(CRITICAL_SECTION* cs)
{
    if (!cs) return;
    delete static_cast<std::recursive_mutex*>(cs->impl);
    cs->impl = nullptr;
}
