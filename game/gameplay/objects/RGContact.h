#pragma once
// A contact of two tiles as the collider finds it. The normal is a unit vector along x or y,
// pointing from the first tile's box towards the second's; the depth is the overlap along it.

#include "engine/core/math/SVector3.h"

namespace Runegarden {

struct RGContact {
    SCore::SVector3 m_Point;
    SCore::SVector3 m_Normal;
    float m_Depth = 0.0f;
};

} // namespace Runegarden
