#pragma once
// An axis-aligned box given by its minimum and maximum corners.

#include "engine/core/math/SVector3.h"

#include <algorithm>

namespace SCore {

struct SAABBox {
    SVector3 Min;
    SVector3 Max;

    // Grows the box, per axis, just enough to hold the point.
    void MergePoint(const SVector3& p)
    {
        Min.X = std::min(Min.X, p.X);
        Min.Y = std::min(Min.Y, p.Y);
        Min.Z = std::min(Min.Z, p.Z);
        Max.X = std::max(Max.X, p.X);
        Max.Y = std::max(Max.Y, p.Y);
        Max.Z = std::max(Max.Z, p.Z);
    }
    // Grows the box to hold another one.
    void MergeVector(const SAABBox& other)
    {
        SAABBox copy = other; // merging a box into itself must read the unchanged corners
        MergePoint(copy.Min);
        MergePoint(copy.Max);
    }
};

} // namespace SCore
