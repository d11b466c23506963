#pragma once
// Fades the arrow out.

#include "game/gameplay/levels/RGLevelTrainerCommand.h"

namespace Runegarden {

class RGLevelTrainerCommandHideArrow : public RGLevelTrainerCommand {
public:
    void Execute(RGLevelTrainer& trainer) override;
};

} // namespace Runegarden
