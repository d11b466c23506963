#pragma once
// Continues the script at the first command with the given ID.

#include "game/gameplay/levels/RGLevelTrainerCommand.h"

#include <string>

namespace Runegarden {

class RGLevelTrainerCommandJump : public RGLevelTrainerCommand {
public:
    void Execute(RGLevelTrainer& trainer) override;
    void Deserialize(SCore::SDeserializator& in) override;

    std::string m_CommandID;
};

} // namespace Runegarden
