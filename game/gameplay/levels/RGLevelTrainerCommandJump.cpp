#include "game/gameplay/levels/RGLevelTrainerCommandJump.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "game/gameplay/levels/RGLevelTrainer.h"

static const char* const kTarnSource = "..\\Src\\RGLevelTrainerCommandJump";

namespace Runegarden {

void RGLevelTrainerCommandJump::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGLevelTrainerCommand::Deserialize(in);
    in.Deserialize("CommandID", m_CommandID);
    TARN_CATCH("RGLevelTrainerCommandJump::Deserialize()")
}

void RGLevelTrainerCommandJump::Execute(RGLevelTrainer& trainer)
{
    trainer.JumpToCommand(m_CommandID);
}

} // namespace Runegarden
