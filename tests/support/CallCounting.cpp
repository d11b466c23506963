// Every test binary counts calls at the hooked sites from its start; the game never does.
#include "platform/testing.h"

namespace {
const bool g_Counting = (platform::testing::CountCalls(true), true);
}
