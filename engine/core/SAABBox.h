#pragma once
// An axis-aligned box given by its minimum and maximum corners.

#include "engine/core/SVector3.h"

namespace SCore {

struct SAABBox {
    SVector3 Min;
    SVector3 Max;
};

} // namespace SCore
