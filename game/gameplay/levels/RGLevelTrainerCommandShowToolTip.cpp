#include "game/gameplay/levels/RGLevelTrainerCommandShowToolTip.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "game/gameplay/levels/RGLevelTrainer.h"

static const char* const kTarnSource = "..\\Src\\RGLevelTrainerCommandShowToolTip";

namespace Runegarden {

void RGLevelTrainerCommandShowToolTip::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGLevelTrainerCommand::Deserialize(in);
    in.Deserialize("Text", m_Text);
    TARN_CATCH("RGLevelTrainerCommandShowToolTip::Deserialize()")
}

void RGLevelTrainerCommandShowToolTip::Execute(RGLevelTrainer& trainer)
{
    trainer.ShowToolTip(m_Text);
    trainer.Next();
}

} // namespace Runegarden
