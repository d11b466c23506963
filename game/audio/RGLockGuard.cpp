#include "game/audio/RGLockGuard.h"

namespace Runegarden {

RGLockGuard::RGLockGuard()
{
    InitializeCriticalSection(&m_Section);
}

RGLockGuard::~RGLockGuard()
{
    DeleteCriticalSection(&m_Section);
}

} // namespace Runegarden
