#pragma once
// Where a fade stands: running out or in, or finished hidden or shown.

#include <cstdint>

namespace TarnEngine {

enum STransitionState : uint32_t {
    STS_FADE_OUT = 0,
    STS_FADE_IN = 1,
    STS_HIDDEN = 2, // fade-out finished
    STS_SHOWN = 3,  // fade-in finished
};

// t is the elapsed share of the fade time; past 1 a running fade settles.
inline STransitionState SettleTransition(STransitionState state, float t)
{
    if (t > 1.0f) {
        if (state == STS_FADE_OUT) return STS_HIDDEN;
        if (state == STS_FADE_IN) return STS_SHOWN;
    }
    return state;
}

} // namespace TarnEngine
