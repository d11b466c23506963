#include "platform/posix/RecursiveLock.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {

static_assert(sizeof(std::atomic<int>) == sizeof(int), "the futex word is the atomic itself");

void Futex(std::atomic<int>& word, int op, int value)
{
    syscall(SYS_futex, reinterpret_cast<int*>(&word), op | FUTEX_PRIVATE_FLAG, value, nullptr, nullptr, 0);
}

} // namespace

void RecursiveLock::Wait()
{
    // Marks the lock as waited for before sleeping, so the holder's leave wakes a sleeper.
    while (m_State.exchange(kWaiters, std::memory_order_acquire) != kUnlocked)
        Futex(m_State, FUTEX_WAIT, kWaiters);
}

void RecursiveLock::Wake() { Futex(m_State, FUTEX_WAKE, 1); }

} // namespace platform
