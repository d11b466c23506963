#pragma once
// The game layer's holder of one critical section (recursive for its owner thread), held with a
// scoped CriticalSectionLock on Section() so that every way out leaves it. It is the framework's
// lock holder under the game's name.

#include "engine/framework/threads/SLockGuard.h"

namespace Runegarden {

class RGLockGuard : public TarnEngine::SLockGuard {
};

} // namespace Runegarden
