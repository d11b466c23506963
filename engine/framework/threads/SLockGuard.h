#pragma once
// Owns one recursive critical section for its lifetime. Hold it with a scoped
// CriticalSectionLock on Section(), so every way out of the span releases it.

#include "platform/win32.h"

namespace TarnEngine {

class SLockGuard {
public:
    SLockGuard() { InitializeCriticalSection(&m_CriticalSection); }
    virtual ~SLockGuard() { DeleteCriticalSection(&m_CriticalSection); }
    SLockGuard(const SLockGuard&) = delete;
    SLockGuard& operator=(const SLockGuard&) = delete;

    CRITICAL_SECTION& Section() { return m_CriticalSection; }

private:
    CRITICAL_SECTION m_CriticalSection;
};

} // namespace TarnEngine
