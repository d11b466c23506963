#include "game/gameplay/services/RGToolType.h"

#include "engine/core/base/TarnCoreException.h"

static const char* const kTarnSource = "..\\Src\\RGToolType";

namespace Runegarden {

std::string ToolTypeToString(uint32_t toolType)
{
    TARN_TRY
    static const char* const kNames[] = {"RGTT_WALL", "RGTT_BRIDGE", "RGTT_WINDRIGHT", "RGTT_WINDLEFT",
                                         "RGTT_TELEPORT"};
    if (toolType >= sizeof(kNames) / sizeof(kNames[0])) throw SCore::TarnCoreException("unknown tool type");
    return kNames[toolType];
    TARN_CATCH("ToolTypeToString()")
}

} // namespace Runegarden
