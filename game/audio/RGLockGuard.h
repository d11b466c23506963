#pragma once
// The game layer's holder of one critical section (recursive for its owner thread), held with a
// scoped CriticalSectionLock on Section() so that every way out leaves it.

#include "platform/win32.h"

namespace Runegarden {

class RGLockGuard {
public:
    RGLockGuard();
    virtual ~RGLockGuard();

    RGLockGuard(const RGLockGuard&) = delete;
    RGLockGuard& operator=(const RGLockGuard&) = delete;

    CRITICAL_SECTION& Section() { return m_Section; }

private:
    CRITICAL_SECTION m_Section;
};

} // namespace Runegarden
