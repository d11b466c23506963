#include "engine/framework/drawables/SMesh.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SMathMatrix.h"

static const char* const kTarnSource = "Src\\SMesh";

namespace TarnEngine {

SMesh::SMesh(const std::string& name) : m_Name(name) {}

SMesh::~SMesh() = default;

void SMesh::Create(const boost::shared_ptr<SCore::SViewport>& viewport)
{
    TARN_TRY
    m_Viewport = viewport;
    DoCreate(viewport);
    TARN_CATCH("SMesh::Create()")
}

void SMesh::SerializeMeshData(SCore::SSerializator& out)
{
    TARN_TRY
    out.Serialize("Name", m_Name);
    m_Material.Serialize(out);
    TARN_CATCH("SMesh::SerializeMeshData()")
}

void SMesh::DeserializeMeshData(SCore::SDeserializator& in)
{
    TARN_TRY
    TARN_ASSERT(0 != m_Viewport.get());
    in.Deserialize("Name", m_Name);
    SCore::SMaterial material;
    material.Deserialize(in, m_Viewport->m_TextureManager);
    m_Material = material;
    TARN_CATCH("SMesh::DeserializeMeshData()")
}

void SMesh::Draw()
{
    TARN_TRY
    RenderDevice().DoSetmaterial(m_Material);
    DoRender(IdentityMatrix());
    TARN_CATCH("SMesh::Draw()")
}

SCore::SRenderDevice& SMesh::RenderDevice()
{
    TARN_ASSERT(0 != m_Viewport.get());
    TARN_ASSERT(0 != m_Viewport->m_RenderDevice.get());
    return *m_Viewport->m_RenderDevice;
}

} // namespace TarnEngine
