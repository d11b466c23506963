#include "engine/framework/drawables/STriMesh.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/render/SIndexBuffer.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/render/SVertexBuffer.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/render/TResourceLock.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SVertices.h"

#include <cstring>

static const char* const kTarnSource = "Src\\STriMesh";

using SCore::TarnCoreException;

namespace TarnEngine {

const char* const STriMesh::kTag = "TriMesh";

namespace {

const uint32_t kMaxIndex = 65535;

// A vertex's elements in the order a file holds them: one list for the writer and the reader.
struct VertexField {
    const char* key;
    float SMeshVertex::*value;
};
const VertexField kVertexFields[] = {
    {"X", &SMeshVertex::X},   {"Y", &SMeshVertex::Y},   {"Z", &SMeshVertex::Z}, {"NX", &SMeshVertex::NX},
    {"NY", &SMeshVertex::NY}, {"NZ", &SMeshVertex::NZ}, {"U", &SMeshVertex::U}, {"V", &SMeshVertex::V},
};

SCore::SVector3 Position(const uint8_t* vertices, uint32_t stride, uint32_t i)
{
    const float* f = reinterpret_cast<const float*>(vertices + size_t(i) * stride);
    SCore::SVector3 p;
    p.X = f[0];
    p.Y = f[1];
    p.Z = f[2];
    return p;
}

} // namespace

STriMesh::STriMesh(const std::string& name) : SMesh(name) {}

STriMesh::~STriMesh()
{
    m_IndexBuffer.reset();
    m_VertexBuffer.reset();
    m_OwnViewport.reset();
}

void STriMesh::DoCreate(const boost::shared_ptr<SCore::SViewport>& viewport) { m_OwnViewport = viewport; }

void STriMesh::DoRender(const SCore::SMatrix&)
{
    TARN_TRY
    TARN_ASSERT(0 != m_OwnViewport.get());
    TARN_ASSERT(m_VertexBuffer.get() != 0 && m_IndexBuffer.get() != 0);
    SCore::SRenderDevice& device = *m_OwnViewport->m_RenderDevice;
    device.DoBindVertexBuffer(m_VertexBuffer);
    device.DoBindIndexBuffer(m_IndexBuffer);
    device.DoRender(m_VertexBuffer, m_IndexBuffer, 0);
    TARN_CATCH("STriMesh::DoRender()")
}

void STriMesh::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    TARN_ASSERT(0 != m_OwnViewport.get());
    TARN_ASSERT(m_VertexBuffer.get() != 0 && m_IndexBuffer.get() != 0);
    out.BeginChild(kTag);
    out.Serialize("Name", m_Name);

    out.BeginChild("VertexData");
    out.Serialize("VertexSize", m_VertexBuffer->m_VertexSize);
    uint32_t fvf = m_VertexBuffer->DoGetFvf();
    out.Serialize("FVF", fvf);
    out.Serialize("PrimType", m_VertexBuffer->m_PrimitiveType);
    if (fvf != SMeshVertex::kFVF) throw TarnCoreException("Unknown FVF type");
    {
        SCore::TResourceLock<SCore::SVertexBuffer> lock(m_VertexBuffer);
        const uint8_t* pData = static_cast<const uint8_t*>(lock.Data());
        TARN_ASSERT(pData != 0);
        for (uint32_t i = 0; i < m_VertexBuffer->m_VertexCount; ++i) {
            SMeshVertex v;
            std::memcpy(&v, pData + size_t(i) * m_VertexBuffer->m_VertexSize, sizeof v);
            out.BeginChild("Vertex");
            for (const VertexField& field : kVertexFields) out.Serialize(field.key, v.*field.value);
            out.EndChild();
        }
    }
    out.EndChild();

    out.BeginChild("IndexData");
    uint32_t indexSize = m_IndexBuffer->m_IndexSize;
    out.Serialize("IndexSize", indexSize);
    if (indexSize != 2 && indexSize != 4) throw TarnCoreException("Index size is not supported");
    {
        SCore::TResourceLock<SCore::SIndexBuffer> lock(m_IndexBuffer);
        const uint8_t* data = static_cast<const uint8_t*>(lock.Data());
        for (uint32_t i = 0; i < m_IndexBuffer->m_IndexCount; ++i) {
            out.BeginChild("Index");
            if (indexSize == 2) {
                unsigned short value;
                std::memcpy(&value, data + size_t(i) * 2, 2);
                out.Serialize("I", value);
            } else {
                unsigned int value;
                std::memcpy(&value, data + size_t(i) * 4, 4);
                out.Serialize("I", value);
            }
            out.EndChild();
        }
    }
    out.EndChild();

    m_Material.Serialize(out);
    out.Serialize("AABB", m_Box);
    out.EndChild();
    TARN_CATCH("STriMesh::DoSerialize()")
}

void STriMesh::DoDeserialize(SCore::SDeserializator& in, unsigned int index)
{
    TARN_TRY
    TARN_ASSERT(0 != m_Viewport.get());
    in.BeginChild(index);
    ReadMesh(in);
    in.EndChild();
    TARN_CATCH("STriMesh::DoDeserialize()")
}

void STriMesh::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    TARN_ASSERT(0 != m_Viewport.get());
    in.BeginChild(kTag);
    ReadMesh(in);
    in.EndChild();
    TARN_CATCH("STriMesh::DoDeserialize()")
}

void STriMesh::ReadMesh(SCore::SDeserializator& in)
{
    TARN_ASSERT(0 != m_OwnViewport.get());
    std::string name;
    in.Deserialize("Name", name);

    // Everything is read and checked before a buffer is made, so a bad file changes nothing.
    in.BeginChild("VertexData");
    uint32_t vertexSize = 0, fvf = 0, primType = 0;
    in.Deserialize("VertexSize", vertexSize);
    uint32_t vertexCount = in.GetChildCount();
    in.Deserialize("FVF", fvf);
    in.Deserialize("PrimType", primType);
    if (fvf != SMeshVertex::kFVF) throw TarnCoreException("Unknown FVF type");
    if (vertexSize != sizeof(SMeshVertex)) throw TarnCoreException("Vertex size is not supported");
    std::vector<SMeshVertex> vertices(vertexCount);
    for (uint32_t i = 0; i < vertexCount; ++i) {
        SMeshVertex& v = vertices[i];
        in.BeginChild(i);
        for (const VertexField& field : kVertexFields) in.Deserialize(field.key, v.*field.value);
        in.EndChild();
    }
    in.EndChild();

    in.BeginChild("IndexData");
    uint32_t indexSize = 0;
    in.Deserialize("IndexSize", indexSize);
    uint32_t indexCount = in.GetChildCount();
    // An unsupported index size leaves the indices zero, as if every triangle were degenerate.
    std::vector<uint16_t> indices(indexCount, 0);
    if (indexSize == 2 || indexSize == 4) {
        for (uint32_t i = 0; i < indexCount; ++i) {
            uint32_t value = 0;
            in.BeginChild(i);
            if (indexSize == 2) {
                unsigned short narrow = 0;
                in.Deserialize("I", narrow);
                value = narrow;
            } else {
                in.Deserialize("I", value);
            }
            in.EndChild();
            if (value > kMaxIndex || value >= vertexCount) throw TarnCoreException("Index value is out of range");
            indices[i] = uint16_t(value);
        }
    }
    in.EndChild();

    SCore::SMaterial material;
    material.Deserialize(in, m_OwnViewport->m_TextureManager);
    SCore::SAABBox box;
    in.Deserialize("AABB", box);

    boost::shared_ptr<SCore::SVertexBuffer> vertexBuffer =
        m_OwnViewport->CreateVertexBuffer(vertexCount, vertexSize, fvf, primType);
    if (vertexCount > 0) {
        SCore::TResourceLock<SCore::SVertexBuffer> lock(vertexBuffer);
        std::memcpy(lock.Data(), vertices.data(), vertices.size() * sizeof(SMeshVertex));
    }
    boost::shared_ptr<SCore::SIndexBuffer> indexBuffer = m_OwnViewport->CreateIndexBuffer(indexCount);
    if (indexCount > 0) {
        SCore::TResourceLock<SCore::SIndexBuffer> lock(indexBuffer);
        std::memcpy(lock.Data(), indices.data(), indices.size() * sizeof(uint16_t));
    }

    m_Name = name;
    m_Material = material;
    m_Box = box;
    m_VertexBuffer = vertexBuffer;
    m_IndexBuffer = indexBuffer;
}

void STriMesh::RefreshAABB()
{
    TARN_TRY
    TARN_ASSERT(m_VertexBuffer.get() != 0);
    m_Box = SCore::SAABBox();
    if (m_VertexBuffer->m_VertexCount == 0) return;
    SCore::TResourceLock<SCore::SVertexBuffer> lock(m_VertexBuffer);
    const uint8_t* data = static_cast<const uint8_t*>(lock.Data());
    for (uint32_t i = 0; i < m_VertexBuffer->m_VertexCount; ++i)
        m_Box.MergePoint(Position(data, m_VertexBuffer->m_VertexSize, i));
    TARN_CATCH("STriMesh::RefreshAABB()")
}

std::vector<STriangle>& STriMesh::DoGetTriangles()
{
    TARN_TRY
    TARN_ASSERT(m_VertexBuffer.get() != 0 && m_IndexBuffer.get() != 0);
    m_Triangles.clear();
    uint32_t groups = m_IndexBuffer->m_IndexCount / 3;
    if (groups == 0) return m_Triangles;
    SCore::TResourceLock<SCore::SVertexBuffer> vertexLock(m_VertexBuffer);
    SCore::TResourceLock<SCore::SIndexBuffer> indexLock(m_IndexBuffer);
    const uint8_t* vertices = static_cast<const uint8_t*>(vertexLock.Data());
    const uint16_t* indices = static_cast<const uint16_t*>(indexLock.Data());
    uint32_t stride = m_VertexBuffer->m_VertexSize;
    uint32_t count = m_VertexBuffer->m_VertexCount;
    for (uint32_t g = 0; g < groups; ++g) {
        uint16_t a = indices[3 * g], b = indices[3 * g + 1], c = indices[3 * g + 2];
        if (a >= count || b >= count || c >= count) continue; // an all-zero index set of an empty mesh
        m_Triangles.push_back({Position(vertices, stride, a), Position(vertices, stride, b), Position(vertices, stride, c)});
    }
    return m_Triangles;
    TARN_CATCH("STriMesh::DoGetTriangles()")
}

} // namespace TarnEngine
