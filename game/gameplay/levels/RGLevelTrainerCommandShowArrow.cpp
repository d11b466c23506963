#include "game/gameplay/levels/RGLevelTrainerCommandShowArrow.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "game/gameplay/services/RGFiniteValue.h"

static const char* const kTarnSource = "..\\Src\\RGLevelTrainerCommandShowArrow";

namespace Runegarden {

void RGLevelTrainerCommandShowArrow::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGLevelTrainerCommand::Deserialize(in);
    in.Deserialize("X", m_X);
    in.Deserialize("Y", m_Y);
    in.Deserialize("Angle", m_Angle);
    RequireFinite("ShowArrow X", m_X);
    RequireFinite("ShowArrow Y", m_Y);
    RequireFinite("ShowArrow Angle", m_Angle);
    TARN_CATCH("RGLevelTrainerCommandShowArrow::Deserialize()")
}

void RGLevelTrainerCommandShowArrow::Execute(RGLevelTrainer& trainer)
{
    trainer.ShowArrow(m_X, m_Y, m_Angle);
    trainer.Next();
}

} // namespace Runegarden
