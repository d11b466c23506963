#pragma once
// The visitor of the scene graph: a node calls the operation of its own kind.

namespace TarnEngine {

class SSceneNodeBase;
class SSceneNodeMesh;
class SSceneNodeCamera;

class SSceneNodeAction {
public:
    virtual ~SSceneNodeAction() = default;
    virtual void DoAction(SSceneNodeMesh& node) = 0;
    virtual void DoAction(SSceneNodeCamera& node) = 0;
    virtual void DoAction(SSceneNodeBase& node) = 0;
};

} // namespace TarnEngine
