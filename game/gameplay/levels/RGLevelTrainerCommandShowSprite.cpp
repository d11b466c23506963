#include "game/gameplay/levels/RGLevelTrainerCommandShowSprite.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/SSpriteTransition.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "game/gameplay/services/RGSpriteCreator.h"

static const char* const kTarnSource = "..\\Src\\RGLevelTrainerCommandShowSprite";

namespace Runegarden {

void RGLevelTrainerCommandShowSprite::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGLevelTrainerCommand::Deserialize(in);
    m_Sprite = RGSpriteCreator::CreateSprite(true);
    m_Sprite->DoDeserialize(in);
    m_Sprite->m_Material.m_AlphaOp = 4; // modulate, so that the fade shows
    m_Fade.reset(new TarnEngine::SSpriteTransition(500.0f));
    m_Fade->SetSprite(m_Sprite);
    in.Deserialize("Name", m_Name);
    TARN_CATCH("RGLevelTrainerCommandShowSprite::Deserialize()")
}

void RGLevelTrainerCommandShowSprite::Execute(RGLevelTrainer& trainer)
{
    trainer.ShowSprite(m_Name, m_Sprite, m_Fade);
    trainer.Next();
    trainer.FadeIn(m_Fade);
}

} // namespace Runegarden
