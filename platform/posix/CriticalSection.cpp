// Critical sections as the layer's recursive lock.

#include "platform/win32.h"

#include "platform/posix/RecursiveLock.h"

#include <cstdio>
#include <cstdlib>

namespace {

platform::RecursiveLock& Mutex(CRITICAL_SECTION* cs)
{
    if (!cs || !cs->impl) {
        // Using a section that was never initialised (or already deleted) is a programming error
        // that would corrupt memory on Windows; stop at once with a clear line instead.
        std::fputs("critical section used before InitializeCriticalSection\n", stderr);
        std::abort();
    }
    return *static_cast<platform::RecursiveLock*>(cs->impl);
}

} // namespace

void InitializeCriticalSection(CRITICAL_SECTION* cs) { cs->impl = new platform::RecursiveLock; }

void EnterCriticalSection(CRITICAL_SECTION* cs) { Mutex(cs).lock(); }

BOOL TryEnterCriticalSection(CRITICAL_SECTION* cs) { return Mutex(cs).try_lock() ? TRUE : FALSE; }

void LeaveCriticalSection(CRITICAL_SECTION* cs) { Mutex(cs).unlock(); }

void DeleteCriticalSection(CRITICAL_SECTION* cs)
{
    if (!cs) return;
    delete static_cast<platform::RecursiveLock*>(cs->impl);
    cs->impl = nullptr;
}
