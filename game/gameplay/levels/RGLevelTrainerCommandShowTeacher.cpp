#include "game/gameplay/levels/RGLevelTrainerCommandShowTeacher.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "game/gameplay/services/RGFiniteValue.h"

static const char* const kTarnSource = "..\\Src\\RGLevelTrainerCommandShowTeacher";

namespace Runegarden {

void RGLevelTrainerCommandShowTeacher::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGLevelTrainerCommand::Deserialize(in);
    in.Deserialize("X", m_X);
    in.Deserialize("Y", m_Y);
    RequireFinite("ShowTeacher X", m_X);
    RequireFinite("ShowTeacher Y", m_Y);
    TARN_CATCH("RGLevelTrainerCommandShowTeacher::Deserialize()")
}

void RGLevelTrainerCommandShowTeacher::Execute(RGLevelTrainer& trainer)
{
    trainer.ShowTeacher(m_X, m_Y);
    trainer.Next();
}

} // namespace Runegarden
