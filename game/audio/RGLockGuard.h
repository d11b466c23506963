#pragma once
// The game layer's holder of one critical section (recursive for its owner thread). The section
// is entered through RGScopedLock, which leaves it on every way out.

#include "platform/win32.h"

namespace Runegarden {

class RGLockGuard {
public:
    RGLockGuard();
    virtual ~RGLockGuard();

    RGLockGuard(const RGLockGuard&) = delete;
    RGLockGuard& operator=(const RGLockGuard&) = delete;

    void Enter();
    void Leave();

private:
    CRITICAL_SECTION m_Section;
};

class RGScopedLock {
public:
    explicit RGScopedLock(RGLockGuard& guard) : m_Guard(guard) { m_Guard.Enter(); }
    ~RGScopedLock() { m_Guard.Leave(); }

    RGScopedLock(const RGScopedLock&) = delete;
    RGScopedLock& operator=(const RGScopedLock&) = delete;

private:
    RGLockGuard& m_Guard;
};

} // namespace Runegarden
