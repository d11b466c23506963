#include "game/gameplay/levels/RGLevelTrainerCommandWait.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "platform/win32.h"

static const char* const kTarnSource = "..\\Src\\RGLevelTrainerCommandWait";

namespace Runegarden {

void RGLevelTrainerCommandWait::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGLevelTrainerCommand::Deserialize(in);
    unsigned int time = 0;
    in.Deserialize("Time", time);
    m_Time = time;
    TARN_CATCH("RGLevelTrainerCommandWait::Deserialize()")
}

void RGLevelTrainerCommandWait::Execute(RGLevelTrainer& trainer)
{
    const uint32_t now = timeGetTime();
    if (m_Armed) {
        m_Begin = now;
        m_Armed = false;
    }
    if (uint32_t(now - m_Begin) <= m_Time) return;
    // Re-armed, so that a later jump back waits the whole time again.
    m_Armed = true;
    trainer.Next();
}

} // namespace Runegarden
