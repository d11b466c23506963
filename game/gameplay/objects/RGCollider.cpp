#include "game/gameplay/objects/RGCollider.h"

#include "game/gameplay/objects/RGGeomAABB.h"
#include "game/gameplay/objects/RGTile.h"

#include "engine/core/base/SEngineException.h"

#include <boost/pointer_cast.hpp>

#include <cmath>

static const char* const kTarnSource = "..\\Src\\RGCollider";

using TarnEngine::SEngineException;

namespace Runegarden {

namespace {

boost::shared_ptr<RGGeomAABB> BoxOf(const boost::shared_ptr<RGTile>& tile)
{
    TARN_ASSERT(0 != tile.get());
    TARN_ASSERT(0 != tile->m_Geometry.get());
    if (tile->m_Geometry->GetType() != RGGeomAABB::kType) throw SEngineException("unknown RG Geom Type");
    boost::shared_ptr<RGGeomAABB> box = boost::dynamic_pointer_cast<RGGeomAABB>(tile->m_Geometry);
    if (!box) throw SEngineException("unknown RG Geom Type");
    return box;
}

} // namespace

void RGCollider::Collide(boost::shared_ptr<RGTile>& first, boost::shared_ptr<RGTile>& second, RGContact& out)
{
    TARN_TRY
    BoxOf(first);
    CollideWithAABB(first, second, out);
    TARN_CATCH("RGCollider::Collide()")
}

void RGCollider::CollideWithAABB(boost::shared_ptr<RGTile>& first, boost::shared_ptr<RGTile>& second, RGContact& out)
{
    TARN_TRY
    const boost::shared_ptr<RGGeomAABB> firstBox = BoxOf(first);
    const boost::shared_ptr<RGGeomAABB> secondBox = BoxOf(second);
    CollideAABBWithAABB(firstBox, secondBox, out);
    TARN_CATCH("RGCollider::CollideWithAABB()")
}

void RGCollider::CollideAABBWithAABB(const boost::shared_ptr<RGGeomAABB>& first,
                                     const boost::shared_ptr<RGGeomAABB>& second, RGContact& out)
{
    TARN_TRY
    const RGGeomAABB& f = *first;
    const RGGeomAABB& s = *second;
    if (!TestOverlap(f, s)) return;
    const float hfx = (f.m_Max.X - f.m_Min.X) * 0.5f, hfy = (f.m_Max.Y - f.m_Min.Y) * 0.5f;
    const float hsx = (s.m_Max.X - s.m_Min.X) * 0.5f, hsy = (s.m_Max.Y - s.m_Min.Y) * 0.5f;
    const float dx = (s.m_Min.X + hsx) - (f.m_Min.X + hfx);
    const float dy = (s.m_Min.Y + hsy) - (f.m_Min.Y + hfy);
    const float px = std::fabs(dx) - (hfx + hsx);
    const float py = std::fabs(dy) - (hfy + hsy);
    out.m_Point.X = dx > 0.0f ? dx + 0.5f * px : dx - 0.5f * px;
    out.m_Point.Y = dy > 0.0f ? dy + 0.5f * py : dy - 0.5f * py;
    out.m_Point.Z = 0.0f;
    out.m_Depth = std::fabs(px) > std::fabs(py) ? std::fabs(py) : std::fabs(px);
    if (std::fabs(px) <= std::fabs(py))
        out.m_Normal = {dx < 0.0f ? -1.0f : 1.0f, 0.0f, 0.0f};
    else
        out.m_Normal = {0.0f, dy < 0.0f ? -1.0f : 1.0f, 0.0f};
    TARN_CATCH("RGCollider::CollideAABBWithAABB()")
}

bool RGCollider::TestOverlap(const RGGeomAABB& first, const RGGeomAABB& second)
{
    return first.m_Max.X >= second.m_Min.X && second.m_Max.X >= first.m_Min.X && first.m_Max.Y >= second.m_Min.Y &&
           second.m_Max.Y >= first.m_Min.Y && first.m_Max.Z >= second.m_Min.Z && second.m_Max.Z >= first.m_Min.Z;
}

} // namespace Runegarden
