#include "game/gameplay/gestures/RGParticleTrail.h"

#include <gtest/gtest.h>

namespace {

using Runegarden::RGParticle;
using Runegarden::RGParticleTrail;
using Runegarden::RGStrokeGrid;

TEST(RGParticleTrail, ParticlesMoreThanEightCellsApartInScanOrder)
{
    // Scan order, not drawing order: a diagonal of 20 rows gives rows 0, 6, 12, 18 (6² + 6² > 64).
    RGStrokeGrid diagonal(20, std::vector<unsigned char>(20, 0));
    for (int i = 0; i < 20; ++i) diagonal[i][19 - i] = 255;
    const std::vector<RGParticle> steps = RGParticleTrail::Place(diagonal, 0, 0);
    ASSERT_EQ(4u, steps.size());
    for (size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(6.0f * i / 256, steps[i].y);
}

TEST(RGParticleTrail, FirstPaintedByteIsAlwaysAParticle)
{
    RGStrokeGrid single(3, std::vector<unsigned char>(3, 0));
    single[2][1] = 255;
    const std::vector<RGParticle> one = RGParticleTrail::Place(single, 255, 0);
    ASSERT_EQ(1u, one.size());
    EXPECT_EQ(256.0f / 256, one[0].x);
    EXPECT_EQ(2.0f / 256, one[0].y);
    EXPECT_EQ(0.0f, one[0].phase);

    EXPECT_TRUE(RGParticleTrail::Place(RGStrokeGrid(), 0, 0).empty());
    EXPECT_TRUE(RGParticleTrail::Place(RGStrokeGrid(2), 0, 0).empty());
    EXPECT_TRUE(RGParticleTrail::Place(RGStrokeGrid(2, std::vector<unsigned char>(9, 0)), 0, 0).empty());
}

} // namespace
