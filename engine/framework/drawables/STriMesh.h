#pragma once
// A triangle mesh read from its "TriMesh" element: one vertex buffer of mesh vertices and one
// 16-bit index buffer, drawn with the world transform the caller has set.

#include "engine/framework/drawables/SMesh.h"

namespace SCore {
class SVertexBuffer;
class SIndexBuffer;
}

namespace TarnEngine {

class STriMesh : public SMesh {
public:
    static const char* const kTag; // "TriMesh"

    explicit STriMesh(const std::string& name);
    ~STriMesh() override;

    void DoSerialize(SCore::SSerializator& out) override;
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override;
    void DoDeserialize(SCore::SDeserializator& in) override;
    void DoCreate(const boost::shared_ptr<SCore::SViewport>& viewport) override;
    void DoRender(const SCore::SMatrix& transform) override;
    // The box of the vertices and the origin.
    void RefreshAABB() override;
    const char* GetTypeName() const override { return kTag; }
    std::vector<STriangle>& DoGetTriangles() override;
    boost::shared_ptr<SCore::SViewport>& GetViewport() { return m_OwnViewport; }

    const boost::shared_ptr<SCore::SVertexBuffer>& GetVertexBuffer() const { return m_VertexBuffer; }
    const boost::shared_ptr<SCore::SIndexBuffer>& GetIndexBuffer() const { return m_IndexBuffer; }

private:
    // Reads the current "TriMesh" element.
    void ReadMesh(SCore::SDeserializator& in);

    boost::shared_ptr<SCore::SViewport> m_OwnViewport;
    boost::shared_ptr<SCore::SVertexBuffer> m_VertexBuffer;
    boost::shared_ptr<SCore::SIndexBuffer> m_IndexBuffer;
};

} // namespace TarnEngine
