#pragma once
// Shows a text in the tool tip beside the teacher.

#include "game/gameplay/levels/RGLevelTrainerCommand.h"

#include <string>

namespace Runegarden {

class RGLevelTrainerCommandShowToolTip : public RGLevelTrainerCommand {
public:
    void Execute(RGLevelTrainer& trainer) override;
    void Deserialize(SCore::SDeserializator& in) override;

    std::wstring m_Text;
};

} // namespace Runegarden
