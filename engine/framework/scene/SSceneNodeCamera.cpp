#include "engine/framework/scene/SSceneNodeCamera.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/scene/SCamera.h"
#include "engine/framework/scene/SSceneNodeAction.h"

static const char* const kTarnSource = "Src\\sscenenodecamera";

namespace TarnEngine {

void SSceneNodeCamera::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    TARN_ASSERT(0 != m_Camera.get());
    SerializeNode(out);
    out.BeginChild("Camera");
    uint32_t type = m_Camera->GetType();
    out.Serialize("Type", type);
    out.Serialize("EYE", m_Camera->m_Eye);
    out.Serialize("AT", m_Camera->m_At);
    out.Serialize("UP", m_Camera->m_Up);
    out.EndChild();
    TARN_CATCH("SSceneNodeCamera::DoSerialize()")
}

void SSceneNodeCamera::DoAction(SSceneNodeAction& action) { action.DoAction(*this); }

void SSceneNodeCamera::DoRender()
{
    TARN_TRY
    TARN_ASSERT(0 != m_Camera.get());
    m_Camera->Set();
    TARN_CATCH("SSceneNodeCamera::DoRender()")
}

void SSceneNodeCamera::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    DeserializeNode(in);
    in.BeginChild("Camera");
    uint32_t type = 0;
    in.Deserialize("Type", type);
    boost::shared_ptr<SCamera> camera = SCameraFactory::CreateCamera(type);
    in.Deserialize("EYE", camera->m_Eye);
    in.Deserialize("AT", camera->m_At);
    in.Deserialize("UP", camera->m_Up);
    in.EndChild();
    m_Camera = camera;
    TARN_CATCH("SSceneNodeCamera::DoDeserialize()")
}

} // namespace TarnEngine
