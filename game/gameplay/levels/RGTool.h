#pragma once
// A spell the level offers: the tool type a gesture is recognised as and the kind of game object
// the level script receives for it. The names in files are the enumerators' names.

#include "game/gameplay/services/RGToolType.h"

#include <cstdint>
#include <string>

namespace Runegarden {

enum RGGameObjectType : uint32_t {
    RGGOT_SIMPLE = 0,
    RGGOT_ACTOR = 1,
    RGGOT_BRIDGE = 2,
    RGGOT_LIFT = 3,
    RGGOT_PORTAL = 4,
    RGGOT_TELEPORT = 5,
    RGGOT_WALL = 6,
    RGGOT_MONSTR = 7,
    RGGOT_OUTTELEPORT = 8,
    RGGOT_LETHAL = 9,
    RGGOT_GROUP = 10,
    RGGOT_WINDLEFT = 15,
    RGGOT_WINDRIGHT = 16,
};

// Exact names; anything else throws "unknown tool type".
RGToolType StringToToolType(const std::string& name);
// All thirteen names; anything else throws "unknown gameobject type string".
RGGameObjectType StringToGameObjectType(const std::string& name);
// Values 0 to 10 only (the wind types included are refused): "unknown game object type".
std::string GameObjectTypeToString(uint32_t type);

class RGTool {
public:
    RGTool(RGToolType toolType, RGGameObjectType objectType) : m_ToolType(toolType), m_GameObjectType(objectType) {}
    virtual ~RGTool() = default;

    RGToolType m_ToolType;
    RGGameObjectType m_GameObjectType;
};

} // namespace Runegarden
