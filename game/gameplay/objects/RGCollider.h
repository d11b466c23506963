#pragma once
// Finds the contact of two tiles. Only boxes collide; collision response is the world's.

#include "game/gameplay/objects/RGContact.h"

#include <boost/shared_ptr.hpp>

namespace Runegarden {

class RGTile;
class RGGeomAABB;

class RGCollider {
public:
    RGCollider() = default;
    virtual ~RGCollider() = default;

    // Writes out only when the tiles touch or overlap (callers start from a zeroed contact).
    // A geometry other than the box throws "unknown RG Geom Type".
    void Collide(boost::shared_ptr<RGTile>& first, boost::shared_ptr<RGTile>& second, RGContact& out);
    void CollideWithAABB(boost::shared_ptr<RGTile>& first, boost::shared_ptr<RGTile>& second, RGContact& out);
    void CollideAABBWithAABB(const boost::shared_ptr<RGGeomAABB>& first, const boost::shared_ptr<RGGeomAABB>& second,
                             RGContact& out);
    // Touching counts as overlapping; all three axes take part.
    static bool TestOverlap(const RGGeomAABB& first, const RGGeomAABB& second);
};

} // namespace Runegarden
