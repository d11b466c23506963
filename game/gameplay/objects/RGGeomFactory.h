#pragma once
// Makes the geometry of a type number; 0 (the axis-aligned box) is the only one.

#include "game/gameplay/objects/RGGeometry.h"

namespace Runegarden {

class RGGeomFactory {
public:
    // A new zeroed box for type 0; any other type throws "unknown RGGeom type".
    static boost::shared_ptr<RGGeometry> Create(uint32_t type);
};

} // namespace Runegarden
