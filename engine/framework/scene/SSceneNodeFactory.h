#pragma once
// Makes a scene node of a kind: 0 plain, 1 mesh, 2 camera.

#include "engine/framework/scene/SSceneNodeBase.h"

namespace TarnEngine {

class SSceneNodeFactory {
public:
    // Throws "Unknown SSceneNodeType" for any other kind.
    static boost::shared_ptr<SSceneNodeBase> CreateNode(uint32_t type, const std::string& name);
};

} // namespace TarnEngine
