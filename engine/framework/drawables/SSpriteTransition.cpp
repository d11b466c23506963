#include "engine/framework/drawables/SSpriteTransition.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"

#include <cmath>

static const char* const kTarnSource = "Src\\SSpriteTransition";

namespace TarnEngine {

SSpriteTransition::~SSpriteTransition() { m_Sprite.reset(); }

uint32_t SSpriteTransition::CalculateAlpha(uint32_t elapsed)
{
    float t = Progress(elapsed);
    float range = (m_MaxAlpha - m_MinAlpha) * 255.0f;
    float s = std::sin(t * kQuarterTurn);
    switch (m_TransitionState) {
    case STS_FADE_OUT: return AlphaByte(m_MaxAlpha * 255.0f - s * range);
    case STS_FADE_IN: return AlphaByte(m_MinAlpha * 255.0f + s * range);
    case STS_HIDDEN: return AlphaByte(m_MinAlpha * 255.0f);
    case STS_SHOWN: return AlphaByte(m_MaxAlpha * 255.0f);
    default: return 255;
    }
}

void SSpriteTransition::ApplyAlpha(uint32_t alpha)
{
    if (!m_Sprite) return;
    uint32_t a = alpha << 24;
    m_Sprite->m_ColorLU = (m_Sprite->m_ColorLU & 0x00FFFFFF) | a;
    m_Sprite->m_ColorRU = (m_Sprite->m_ColorRU & 0x00FFFFFF) | a;
    m_Sprite->m_ColorLD = (m_Sprite->m_ColorLD & 0x00FFFFFF) | a;
    m_Sprite->m_ColorRD = (m_Sprite->m_ColorRD & 0x00FFFFFF) | a;
    m_Sprite->m_Cached = false;
}

void SSpriteTransition::DoUpdate(uint32_t elapsed)
{
    TARN_TRY
    ApplyAlpha(CalculateAlpha(elapsed));
    TARN_CATCH("SSpriteTransition::DoUpdate()")
}

} // namespace TarnEngine
