#pragma once
// Hides the tool tip beside the teacher.

#include "game/gameplay/levels/RGLevelTrainerCommand.h"

namespace Runegarden {

class RGLevelTrainerCommandHideToolTip : public RGLevelTrainerCommand {
public:
    void Execute(RGLevelTrainer& trainer) override;
};

} // namespace Runegarden
