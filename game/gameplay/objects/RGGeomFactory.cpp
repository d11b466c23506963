#include "game/gameplay/objects/RGGeomFactory.h"

#include "game/gameplay/objects/RGGeomAABB.h"

#include "engine/core/base/SEngineException.h"

static const char* const kTarnSource = "..\\Src\\RGGeomFactory";

namespace Runegarden {

boost::shared_ptr<RGGeometry> RGGeomFactory::Create(uint32_t type)
{
    TARN_TRY
    if (type != RGGeomAABB::kType) throw TarnEngine::SEngineException("unknown RGGeom type");
    return boost::shared_ptr<RGGeometry>(new RGGeomAABB);
    TARN_CATCH("RGGeomFactory::Create()")
}

} // namespace Runegarden
