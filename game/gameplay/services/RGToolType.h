#pragma once
// The spells a level offers. A tool type's number is also the gesture recogniser's output index.

#include <cstdint>
#include <string>

namespace Runegarden {

enum RGToolType : uint32_t {
    RGTT_WALL = 0,
    RGTT_BRIDGE = 1,
    RGTT_WINDRIGHT = 2,
    RGTT_WINDLEFT = 3,
    RGTT_TELEPORT = 4,
};

// The name written in files ("RGTT_WALL" ...); any other number throws "unknown tool type".
std::string ToolTypeToString(uint32_t toolType);

} // namespace Runegarden
