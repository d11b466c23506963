#include "game/gameplay/gestures/RGParticleTrail.h"

#include <gtest/gtest.h>

namespace {

using Runegarden::RGParticle;
using Runegarden::RGParticleTrail;
using Runegarden::RGStrokeGrid;

TEST(RGParticleTrail, ParticlesMoreThanEightCellsApartInScanOrderFromTheFirstPaintedByte)
{
    // Scan order, not drawing order: a diagonal of 20 rows gives rows 0, 6, 12, 18 (6² + 6² > 64).
    RGStrokeGrid diagonal(20, std::vector<unsigned char>(20, 0)), single(3, std::vector<unsigned char>(3, 0));
    for (int i = 0; i < 20; ++i) diagonal[i][19 - i] = 255;
    single[2][1] = 255;
    const struct {
        RGStrokeGrid rows;
        UINT x, y;
        std::vector<std::pair<float, float>> places;
    } cases[] = {
        {diagonal, 0, 0, {{19.0f / 256, 0.0f}, {13.0f / 256, 6.0f / 256}, {7.0f / 256, 12.0f / 256}, {1.0f / 256, 18.0f / 256}}},
        {single, 255, 0, {{256.0f / 256, 2.0f / 256}}},
        {RGStrokeGrid(), 0, 0, {}},
        {RGStrokeGrid(2), 0, 0, {}},
        {RGStrokeGrid(2, std::vector<unsigned char>(9, 0)), 0, 0, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<float, float>> places;
        float phase = 0.0f;
        for (const RGParticle& p : RGParticleTrail::Place(c.rows, c.x, c.y)) {
            places.emplace_back(p.x, p.y);
            EXPECT_EQ(phase, p.phase);
            phase += RGParticleTrail::kPhaseStep;
        }
        EXPECT_EQ(c.places, places);
    }
}

} // namespace
