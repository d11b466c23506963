#pragma once
// A scene node that holds a camera and puts the camera's view on the device when drawn.

#include "engine/framework/scene/SSceneNodeBase.h"

namespace TarnEngine {

class SCamera;

class SSceneNodeCamera : public SSceneNodeBase {
public:
    explicit SSceneNodeCamera(const std::string& name) : SSceneNodeBase(name, SSNT_CAMERA) {}

    void DoSerialize(SCore::SSerializator& out) override;
    void DoAction(SSceneNodeAction& action) override;
    void DoRender() override;
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override {}
    // Makes the camera of the file's type and reads its eye, target and up.
    void DoDeserialize(SCore::SDeserializator& in) override;

    boost::shared_ptr<SCamera> m_Camera;
};

} // namespace TarnEngine
