#pragma once
// Test hooks of the quit signals (platform/signals.h).

#include "platform/wintypes.h"

namespace platform {
namespace testing {

// How long a started program has to end its run loop after a quit signal before the signal ends
// it; 5000 ms unless set.
void SetQuitGrace(DWORD ms);

} // namespace testing
} // namespace platform
