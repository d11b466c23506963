#include "game/gameplay/gestures/RGParticleTrail.h"

#include <cstdint>

namespace Runegarden {

const float RGParticleTrail::kPhaseStep = 1.0f / 36.0f;

std::vector<RGParticle> RGParticleTrail::Place(const RGStrokeGrid& grid, UINT originX, UINT originY)
{
    std::vector<RGParticle> particles;
    if (grid.empty() || grid.front().empty()) return particles;
    // Far enough that the first painted byte always starts the trail; squared in 64 bits.
    int64_t previousC = 1000000, previousR = 1000000;
    float phase = 0.0f;
    for (size_t r = 0; r < grid.size(); ++r) {
        for (size_t c = 0; c < grid[r].size(); ++c) {
            if (grid[r][c] == 0) continue;
            const int64_t dc = static_cast<int64_t>(c) - previousC;
            const int64_t dr = static_cast<int64_t>(r) - previousR;
            if (dc * dc + dr * dr <= kMinSquaredDistance) continue;
            RGParticle particle;
            particle.x = static_cast<float>(originX) / 256.0f + static_cast<float>(c) / 256.0f;
            particle.y = static_cast<float>(r) / 256.0f + static_cast<float>(originY) / 256.0f;
            particle.phase = phase;
            particles.push_back(particle);
            phase += kPhaseStep;
            previousC = static_cast<int64_t>(c);
            previousR = static_cast<int64_t>(r);
        }
    }
    return particles;
}

} // namespace Runegarden
