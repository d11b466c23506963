#include "engine/framework/scene/SSceneNodeMesh.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SMesh.h"
#include "engine/framework/scene/SSceneNodeAction.h"

static const char* const kTarnSource = "Src\\sscenenodemesh";

namespace TarnEngine {

void SSceneNodeMesh::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    SerializeNode(out);
    out.Serialize("MeshName", m_MeshName);
    TARN_CATCH("SSceneNodeMesh::DoSerialize()")
}

void SSceneNodeMesh::DoAction(SSceneNodeAction& action) { action.DoAction(*this); }

void SSceneNodeMesh::DoRender()
{
    TARN_TRY
    TARN_ASSERT(m_Mesh.get() != 0);
    TARN_ASSERT(0 != m_Mesh->m_Viewport.get());
    SCore::SRenderDevice& device = *m_Mesh->m_Viewport->m_RenderDevice;
    SCore::SMatrix world = m_Transformation.GetWorldMatrix();
    device.DoSetTransform(SCore::STT_WORLD, world);
    if (!m_Mesh->m_Enabled) return;
    device.DoSetmaterial(m_Mesh->m_Material);
    m_Mesh->DoRender(world);
    TARN_CATCH("SSceneNodeMesh::DoRender()")
}

void SSceneNodeMesh::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    DeserializeNode(in);
    in.Deserialize("MeshName", m_MeshName);
    TARN_CATCH("SSceneNodeMesh::DoDeserialize()")
}

} // namespace TarnEngine
