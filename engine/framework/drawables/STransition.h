#pragma once
// The common part of the sprite and texture-font fades: an animator that runs a fade in or out
// over a fixed time and then settles hidden or shown.

#include "engine/core/render/SAnimator.h"

#include <cstdint>

namespace TarnEngine {

enum STransitionState : uint32_t {
    STS_FADE_OUT = 0,
    STS_FADE_IN = 1,
    STS_HIDDEN = 2, // fade-out finished
    STS_SHOWN = 3,  // fade-in finished
};

class STransition : public SCore::SAnimator {
public:
    // fadeTime in milliseconds, greater than 0.
    explicit STransition(float fadeTime);

    // Starts a fade in or out from now; Update then drives it.
    void Start(STransitionState direction);

    STransitionState m_TransitionState = STS_SHOWN;

protected:
    // The elapsed share of the fade time; past 1 a running fade settles.
    float Progress(uint32_t elapsed);
    // Truncated and kept within a byte.
    static uint32_t AlphaByte(float alpha);

    static constexpr float kQuarterTurn = 1.57f;
    float m_fadeTime;
};

} // namespace TarnEngine
