#include "engine/framework/SSpriteTransition.h"

#include "engine/core/TarnCoreException.h"
#include "engine/framework/SSprite.h"
#include "platform/win32.h"

#include <algorithm>
#include <cmath>

static const char* const kTarnSource = "Src\\SSpriteTransition";

namespace TarnEngine {

namespace {
const float kQuarterTurn = 1.57f;
}

SSpriteTransition::SSpriteTransition(float fadeTime) : SAnimator("NonameAnimator"), m_fadeTime(fadeTime)
{
    TARN_ASSERT(m_fadeTime > 0);
}

SSpriteTransition::~SSpriteTransition() { m_Sprite.reset(); }

void SSpriteTransition::Start(STransitionState direction)
{
    m_TransitionState = direction;
    m_Start = m_Last = timeGetTime();
    m_State = SCore::SAS_ONCE;
}

uint32_t SSpriteTransition::CalculateAlpha(uint32_t elapsed)
{
    float t = float(elapsed) / m_fadeTime;
    m_TransitionState = SettleTransition(m_TransitionState, t);
    float range = (m_MaxAlpha - m_MinAlpha) * 255.0f;
    float a = t * kQuarterTurn;
    float alpha;
    switch (m_TransitionState) {
    case STS_FADE_OUT: alpha = m_MaxAlpha * 255.0f - std::sin(a) * range; break;
    case STS_FADE_IN: alpha = m_MinAlpha * 255.0f + std::sin(a) * range; break;
    case STS_HIDDEN: alpha = m_MinAlpha * 255.0f; break;
    case STS_SHOWN: alpha = m_MaxAlpha * 255.0f; break;
    default: alpha = 255.0f; break;
    }
    // Limits outside 0..1 would leave the byte's range.
    alpha = std::min(255.0f, std::max(0.0f, std::trunc(alpha)));
    return uint32_t(alpha);
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
