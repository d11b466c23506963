#include "engine/framework/STextureFontTransition.h"

#include "engine/core/TarnCoreException.h"
#include "engine/framework/STextureFont.h"
#include "platform/win32.h"

#include <algorithm>
#include <cmath>

static const char* const kTarnSource = "Src\\STextureFontTransition";

namespace TarnEngine {

namespace {
const float kQuarterTurn = 1.57f;
}

STextureFontTransition::STextureFontTransition(float fadeTime) : SAnimator("NonameAnimator"), m_fadeTime(fadeTime)
{
    TARN_ASSERT(m_fadeTime > 0);
}

STextureFontTransition::~STextureFontTransition() { m_Font.reset(); }

void STextureFontTransition::Start(STransitionState direction)
{
    m_TransitionState = direction;
    m_Start = m_Last = timeGetTime();
    m_State = SCore::SAS_ONCE;
}

void STextureFontTransition::DoUpdate(uint32_t elapsed)
{
    TARN_TRY
    float t = float(elapsed) / m_fadeTime;
    m_TransitionState = SettleTransition(m_TransitionState, t);
    float s = std::sin(t * kQuarterTurn);
    float alpha;
    switch (m_TransitionState) {
    case STS_FADE_OUT: alpha = 255.0f - s * 255.0f; break;
    case STS_FADE_IN: alpha = s * 255.0f; break;
    case STS_HIDDEN: alpha = 0.0f; break;
    default: alpha = 255.0f; break;
    }
    alpha = std::min(255.0f, std::max(0.0f, std::trunc(alpha)));
    if (!m_Font) return;
    m_Font->m_Color[0] = uint8_t(alpha);
    m_Font->m_Cached = false; // so the new alpha reaches the glyphs' vertices
    TARN_CATCH("STextureFontTransition::DoUpdate()")
}

} // namespace TarnEngine
