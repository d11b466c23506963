#pragma once
// A scene node that draws a mesh with its world matrix. The file names the mesh; its owner binds
// the mesh after reading.

#include "engine/framework/scene/SSceneNodeBase.h"

namespace TarnEngine {

class SMesh;

class SSceneNodeMesh : public SSceneNodeBase {
public:
    explicit SSceneNodeMesh(const std::string& name) : SSceneNodeBase(name, SSNT_MESH) {}

    void DoSerialize(SCore::SSerializator& out) override;
    void DoAction(SSceneNodeAction& action) override;
    // Sets the world transform; draws the mesh only while it is enabled.
    void DoRender() override;
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override {}
    void DoDeserialize(SCore::SDeserializator& in) override;

    boost::shared_ptr<SMesh> m_Mesh;
    std::string m_MeshName;
};

} // namespace TarnEngine
