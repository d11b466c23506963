#include "engine/framework/scene/SSceneNodeFactory.h"

#include "engine/core/base/SEngineException.h"
#include "engine/framework/scene/SSceneNodeCamera.h"
#include "engine/framework/scene/SSceneNodeMesh.h"

namespace TarnEngine {

boost::shared_ptr<SSceneNodeBase> SSceneNodeFactory::CreateNode(uint32_t type, const std::string& name)
{
    switch (type) {
    case SSNT_BASE: return boost::shared_ptr<SSceneNodeBase>(new SSceneNodeBase(name, SSNT_BASE));
    case SSNT_MESH: return boost::shared_ptr<SSceneNodeBase>(new SSceneNodeMesh(name));
    case SSNT_CAMERA: return boost::shared_ptr<SSceneNodeBase>(new SSceneNodeCamera(name));
    default: throw SEngineException("Unknown SSceneNodeType");
    }
}

} // namespace TarnEngine
