#pragma once
// The axis-aligned box geometry (type 0): from the position to position + 2 x half size.

#include "game/gameplay/objects/RGGeometry.h"

namespace Runegarden {

class RGGeomAABB : public RGGeometry {
public:
    static const uint32_t kType = 0;

    RGGeomAABB() : RGGeometry(kType) {}

    void Update(const SCore::SVector3& position, const SCore::SVector3& halfSize) override;
    boost::shared_ptr<RGGeometry> Clone() override;

    SCore::SVector3 m_Min;
    SCore::SVector3 m_Max;
};

} // namespace Runegarden
