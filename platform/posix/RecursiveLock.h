#pragma once
// A recursive lock whose common cases cost almost nothing: the thread that holds it enters
// again with one load and an increment, and an uncontended enter or leave is one atomic
// instruction. Waiters sleep in the kernel. Internal to platform/.

#include <atomic>

namespace platform {

class RecursiveLock {
public:
    RecursiveLock() = default;
    RecursiveLock(const RecursiveLock&) = delete;
    RecursiveLock& operator=(const RecursiveLock&) = delete;

    void lock()
    {
        const void* const self = Self();
        if (m_Owner.load(std::memory_order_relaxed) == self) {
            ++m_Depth;
            return;
        }
        int unlocked = kUnlocked;
        if (!m_State.compare_exchange_strong(unlocked, kLocked, std::memory_order_acquire,
                                             std::memory_order_relaxed))
            Wait();
        m_Owner.store(self, std::memory_order_relaxed);
        m_Depth = 1;
    }

    bool try_lock()
    {
        const void* const self = Self();
        if (m_Owner.load(std::memory_order_relaxed) == self) {
            ++m_Depth;
            return true;
        }
        int unlocked = kUnlocked;
        if (!m_State.compare_exchange_strong(unlocked, kLocked, std::memory_order_acquire,
                                             std::memory_order_relaxed))
            return false;
        m_Owner.store(self, std::memory_order_relaxed);
        m_Depth = 1;
        return true;
    }

    // Only the owner may leave, as often as it entered.
    void unlock()
    {
        if (--m_Depth > 0) return;
        m_Owner.store(nullptr, std::memory_order_relaxed);
        if (m_State.exchange(kUnlocked, std::memory_order_release) == kWaiters) Wake();
    }

private:
    enum { kUnlocked = 0, kLocked = 1, kWaiters = 2 };

    // A per-thread address: only its own thread ever finds it in m_Owner.
    static const void* Self()
    {
        static thread_local char tag;
        return &tag;
    }
    void Wait();
    void Wake();

    std::atomic<int> m_State{kUnlocked};
    std::atomic<const void*> m_Owner{nullptr};
    unsigned m_Depth = 0;   // touched by the owner only
};

} // namespace platform
