#pragma once
// Waits until more than "Time" milliseconds have passed since its first execution (wall-clock
// time, pauses included), then goes on.

#include "game/gameplay/levels/RGLevelTrainerCommand.h"

#include <cstdint>

namespace Runegarden {

class RGLevelTrainerCommandWait : public RGLevelTrainerCommand {
public:
    void Execute(RGLevelTrainer& trainer) override;
    void Deserialize(SCore::SDeserializator& in) override;
    void Rearm() override { m_Armed = true; }

    uint32_t m_Time = 0;
    uint32_t m_Begin = 0;
    bool m_Armed = true;
};

} // namespace Runegarden
