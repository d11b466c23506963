#include "game/gameplay/levels/RGLevelTrainerCommandHideSprite.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "game/gameplay/levels/RGLevelTrainer.h"

static const char* const kTarnSource = "..\\Src\\RGLevelTrainerCommandHideSprite";

namespace Runegarden {

void RGLevelTrainerCommandHideSprite::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGLevelTrainerCommand::Deserialize(in);
    in.Deserialize("Name", m_Name);
    TARN_CATCH("RGLevelTrainerCommandHideSprite::Deserialize()")
}

void RGLevelTrainerCommandHideSprite::Execute(RGLevelTrainer& trainer)
{
    trainer.HideSprite(m_Name);
    trainer.Next();
}

} // namespace Runegarden
