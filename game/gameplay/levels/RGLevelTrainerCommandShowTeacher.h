#pragma once
// Places the teacher and fades it in.

#include "game/gameplay/levels/RGLevelTrainerCommand.h"

namespace Runegarden {

class RGLevelTrainerCommandShowTeacher : public RGLevelTrainerCommand {
public:
    void Execute(RGLevelTrainer& trainer) override;
    void Deserialize(SCore::SDeserializator& in) override;

    float m_X = 0.0f, m_Y = 0.0f;
};

} // namespace Runegarden
