#pragma once
// Where the particle trail of a stroke goes: painted cells of the stroke grid in scan order, each
// more than 8 cells from the previous particle, with successive animation phases.

#include "game/gameplay/gestures/RGStrokeRaster.h"

#include <vector>

namespace Runegarden {

struct RGParticle {
    float x, y;    // fractions of the screen
    float phase;   // of the particle sprite's texture animation
};

class RGParticleTrail {
public:
    static constexpr int kMinSquaredDistance = 64;
    static const float kPhaseStep;

    // `originX`, `originY`: the canvas pixel of the grid's first byte.
    static std::vector<RGParticle> Place(const RGStrokeGrid& grid, UINT originX, UINT originY);
};

} // namespace Runegarden
