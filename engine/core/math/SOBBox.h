#pragma once
// An oriented box: its size, its position and its orientation matrix.

#include "engine/core/math/SMatrix.h"
#include "engine/core/math/SVector3.h"

namespace SCore {

struct SOBBox {
    SVector3 Size;
    SVector3 Position;
    SMatrix Orientation;
};

} // namespace SCore
