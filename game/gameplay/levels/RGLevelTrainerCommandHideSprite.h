#pragma once
// Fades out a sprite that an earlier ShowSprite named.

#include "game/gameplay/levels/RGLevelTrainerCommand.h"

#include <string>

namespace Runegarden {

class RGLevelTrainerCommandHideSprite : public RGLevelTrainerCommand {
public:
    void Execute(RGLevelTrainer& trainer) override;
    void Deserialize(SCore::SDeserializator& in) override;

    std::string m_Name;
};

} // namespace Runegarden
