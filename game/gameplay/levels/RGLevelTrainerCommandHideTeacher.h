#pragma once
// Fades the teacher out.

#include "game/gameplay/levels/RGLevelTrainerCommand.h"

namespace Runegarden {

class RGLevelTrainerCommandHideTeacher : public RGLevelTrainerCommand {
public:
    void Execute(RGLevelTrainer& trainer) override;
};

} // namespace Runegarden
