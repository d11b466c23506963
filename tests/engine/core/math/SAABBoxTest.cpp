#include "engine/core/math/SAABBox.h"

#include <gtest/gtest.h>

using SCore::SAABBox;
using SCore::SVector3;

namespace {

SAABBox Box(float x0, float y0, float z0, float x1, float y1, float z1)
{
    SAABBox box;
    box.Min = {x0, y0, z0};
    box.Max = {x1, y1, z1};
    return box;
}

void ExpectBox(const SAABBox& box, const SAABBox& expected)
{
    EXPECT_EQ(box.Min.X, expected.Min.X);
    EXPECT_EQ(box.Min.Y, expected.Min.Y);
    EXPECT_EQ(box.Min.Z, expected.Min.Z);
    EXPECT_EQ(box.Max.X, expected.Max.X);
    EXPECT_EQ(box.Max.Y, expected.Max.Y);
    EXPECT_EQ(box.Max.Z, expected.Max.Z);
}

TEST(SAABBox, AMergedBoxHoldsBothAndGrowsOnlyOnTheAxesThatNeedIt)
{
    const SAABBox base = Box(0, 0, 0, 4, 4, 4);
    const struct {
        const char* what;
        SAABBox other, merged;
    } cases[] = {
        {"inside", Box(1, 1, 1, 2, 2, 2), base},
        {"below on each axis", Box(-1, -2, -3, 1, 1, 1), Box(-1, -2, -3, 4, 4, 4)},
        {"above on each axis", Box(1, 1, 1, 5, 6, 7), Box(0, 0, 0, 5, 6, 7)},
        {"apart on one axis", Box(9, 1, 1, 10, 2, 2), Box(0, 0, 0, 10, 4, 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SAABBox box = base;
        box.MergeVector(c.other);
        ExpectBox(box, c.merged);
    }
    SAABBox self = Box(-1, 2, -3, 4, 5, 6);
    self.MergeVector(self);
    ExpectBox(self, Box(-1, 2, -3, 4, 5, 6));
}

} // namespace
