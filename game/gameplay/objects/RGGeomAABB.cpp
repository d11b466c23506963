#include "game/gameplay/objects/RGGeomAABB.h"

namespace Runegarden {

void RGGeomAABB::Update(const SCore::SVector3& position, const SCore::SVector3& halfSize)
{
    m_Min = position;
    m_Max.X = position.X + halfSize.X + halfSize.X;
    m_Max.Y = position.Y + halfSize.Y + halfSize.Y;
    m_Max.Z = position.Z + halfSize.Z + halfSize.Z;
}

boost::shared_ptr<RGGeometry> RGGeomAABB::Clone()
{
    boost::shared_ptr<RGGeomAABB> copy(new RGGeomAABB);
    copy->m_Min = m_Min;
    copy->m_Max = m_Max;
    return copy;
}

} // namespace Runegarden
