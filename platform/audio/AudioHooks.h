#pragma once
// The audio hook state the backends consult.

#include "platform/testing_audio.h"

namespace platform {
namespace testing {

GraphWait CurrentGraphWait();
void ClearResources();

} // namespace testing
} // namespace platform
