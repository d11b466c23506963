#pragma once
// The unit the world tests for contacts: a half size, a geometry and a body. The box extends
// from the body's position to position + 2 x half size.

#include "game/gameplay/objects/RGBody.h"
#include "game/gameplay/objects/RGGeometry.h"

#include <boost/shared_ptr.hpp>

namespace Runegarden {

class RGTile {
public:
    // A body of mass 1 at the origin and a zeroed box.
    RGTile();
    virtual ~RGTile() = default;

    // Steps the body, then fits the geometry around it.
    void Update(float dt);
    // The child element "Tile": "ID", "HalfSize", "GeomType" and its child "Body"; the geometry
    // and the body are replaced by new ones.
    void Deserialize(SCore::SDeserializator& in);

    uint32_t m_ID = 0;
    SCore::SVector3 m_HalfSize;
    boost::shared_ptr<RGGeometry> m_Geometry;
    boost::shared_ptr<RGBody> m_Body;
};

} // namespace Runegarden
