#include "engine/framework/drawables/STransition.h"

#include "engine/core/base/TarnCoreException.h"
#include "platform/win32.h"

#include <algorithm>
#include <cmath>

static const char* const kTarnSource = "Src\\STransition";

namespace TarnEngine {

STransition::STransition(float fadeTime) : SAnimator("NonameAnimator"), m_fadeTime(fadeTime)
{
    TARN_ASSERT(m_fadeTime > 0);
}

void STransition::Start(STransitionState direction)
{
    m_TransitionState = direction;
    m_Start = m_Last = timeGetTime();
    m_State = SCore::SAS_ONCE;
}

float STransition::Progress(uint32_t elapsed)
{
    float t = float(elapsed) / m_fadeTime;
    if (t > 1.0f) {
        if (m_TransitionState == STS_FADE_OUT) m_TransitionState = STS_HIDDEN;
        else if (m_TransitionState == STS_FADE_IN) m_TransitionState = STS_SHOWN;
    }
    return t;
}

uint32_t STransition::AlphaByte(float alpha)
{
    // Limits outside 0..1 would leave the byte's range.
    return uint32_t(std::min(255.0f, std::max(0.0f, std::trunc(alpha))));
}

} // namespace TarnEngine
