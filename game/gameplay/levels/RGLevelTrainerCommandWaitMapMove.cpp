#include "game/gameplay/levels/RGLevelTrainerCommandWaitMapMove.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "game/gameplay/levels/RGLevelTrainer.h"

static const char* const kTarnSource = "..\\Src\\RGLevelTrainerCommandWaitMapMove";

namespace Runegarden {

RGMapMoveType StringToMoveType(const std::string& name)
{
    static const char* const kNames[] = {"LEFT", "RIGHT", "UP", "DOWN"};
    for (uint32_t i = 0; i < 4; ++i)
        if (name == kNames[i]) return RGMapMoveType(i);
    throw SCore::TarnCoreException("unknown move type");
}

void RGLevelTrainerCommandWaitMapMove::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGLevelTrainerCommand::Deserialize(in);
    std::string move;
    in.Deserialize("MoveType", move);
    m_MoveType = StringToMoveType(move);
    TARN_CATCH("RGLevelTrainerCommandWaitMapMove::Deserialize()")
}

void RGLevelTrainerCommandWaitMapMove::Execute(RGLevelTrainer& trainer)
{
    if (m_NotRegistered) {
        m_NotRegistered = false;
        trainer.AddMapMoveListener(this);
    }
    if (m_Fired && !trainer.IsDone()) trainer.Next();
}

} // namespace Runegarden
