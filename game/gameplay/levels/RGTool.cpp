#include "game/gameplay/levels/RGTool.h"

#include "engine/core/base/TarnCoreException.h"

#include <utility>

namespace Runegarden {

namespace {

const std::pair<const char*, RGGameObjectType> kObjectNames[] = {
    {"RGGOT_SIMPLE", RGGOT_SIMPLE},       {"RGGOT_ACTOR", RGGOT_ACTOR},
    {"RGGOT_BRIDGE", RGGOT_BRIDGE},       {"RGGOT_LIFT", RGGOT_LIFT},
    {"RGGOT_PORTAL", RGGOT_PORTAL},       {"RGGOT_TELEPORT", RGGOT_TELEPORT},
    {"RGGOT_WALL", RGGOT_WALL},           {"RGGOT_MONSTR", RGGOT_MONSTR},
    {"RGGOT_OUTTELEPORT", RGGOT_OUTTELEPORT}, {"RGGOT_LETHAL", RGGOT_LETHAL},
    {"RGGOT_GROUP", RGGOT_GROUP},         {"RGGOT_WINDLEFT", RGGOT_WINDLEFT},
    {"RGGOT_WINDRIGHT", RGGOT_WINDRIGHT},
};

} // namespace

RGToolType StringToToolType(const std::string& name)
{
    for (uint32_t type = RGTT_WALL; type <= RGTT_TELEPORT; ++type)
        if (name == ToolTypeToString(type)) return RGToolType(type);
    throw SCore::TarnCoreException("unknown tool type");
}

RGGameObjectType StringToGameObjectType(const std::string& name)
{
    for (const auto& entry : kObjectNames)
        if (name == entry.first) return entry.second;
    throw SCore::TarnCoreException("unknown gameobject type string");
}

std::string GameObjectTypeToString(uint32_t type)
{
    if (type > RGGOT_GROUP) throw SCore::TarnCoreException("unknown game object type");
    return kObjectNames[type].first;
}

} // namespace Runegarden
