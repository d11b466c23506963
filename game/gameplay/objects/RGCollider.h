#pragma once
// Finds the contact of two tiles. Only boxes collide; collision response is the world's.

#include "game/gameplay/objects/RGContact.h"
#include "game/gameplay/objects/RGGeomAABB.h"

#include <boost/shared_ptr.hpp>

namespace Runegarden {

class RGTile;

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
    // Touching counts as overlapping; all three axes take part. Inline: the world asks it for
    // every pair of objects in every step.
    static bool TestOverlap(const RGGeomAABB& first, const RGGeomAABB& second)
    {
        return first.m_Max.X >= second.m_Min.X && second.m_Max.X >= first.m_Min.X && first.m_Max.Y >= second.m_Min.Y &&
               second.m_Max.Y >= first.m_Min.Y && first.m_Max.Z >= second.m_Min.Z && second.m_Max.Z >= first.m_Min.Z;
    }
};

} // namespace Runegarden
