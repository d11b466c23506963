#pragma once
// Waits until the player scrolls the level view in one direction ("LEFT", "RIGHT", "UP",
// "DOWN"). The game sets the flag after every scroll, to whether that scroll went this way.

#include "game/gameplay/levels/RGLevelTrainerCommand.h"

#include <cstdint>
#include <string>

namespace Runegarden {

enum RGMapMoveType : uint32_t {
    RGMMT_LEFT = 0,
    RGMMT_RIGHT = 1,
    RGMMT_UP = 2,
    RGMMT_DOWN = 3,
};

// Exact names; anything else throws "unknown move type".
RGMapMoveType StringToMoveType(const std::string& name);

class RGLevelTrainerCommandWaitMapMove : public RGLevelTrainerCommand {
public:
    void Execute(RGLevelTrainer& trainer) override;
    void Deserialize(SCore::SDeserializator& in) override;

    RGMapMoveType m_MoveType = RGMMT_LEFT;
    bool m_Fired = false;
    bool m_NotRegistered = true;
};

} // namespace Runegarden
