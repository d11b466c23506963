#pragma once
// The base of everything the framework draws as geometry (triangle meshes, sprites, texture
// fonts): a name, a bounding box, a render material and the viewport it draws on.

#include "engine/core/serialization/IDeserialize.h"
#include "engine/core/serialization/ISerialize.h"
#include "engine/core/math/SAABBox.h"
#include "engine/core/render/SMaterial.h"
#include "engine/core/math/SMatrix.h"
#include "engine/core/math/SVector3.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace SCore {
class SViewport;
class SRenderDevice;
}

namespace TarnEngine {

struct STriangle {
    SCore::SVector3 A, B, C;
};

class SMesh : public SCore::ISerialize, public SCore::IDeserialize {
public:
    explicit SMesh(const std::string& name);
    ~SMesh() override;

    // Binds the mesh to its viewport; every creator calls it once before drawing or reading.
    void Create(const boost::shared_ptr<SCore::SViewport>& viewport);

    virtual void DoCreate(const boost::shared_ptr<SCore::SViewport>& viewport) = 0;
    // The caller has handed the material to the render device first.
    virtual void DoRender(const SCore::SMatrix& transform) = 0;
    virtual void RefreshAABB() = 0;
    // The class's tag, which is also the name of its XML element.
    virtual const char* GetTypeName() const = 0;
    virtual std::vector<STriangle>& DoGetTriangles() = 0;

    // The usual two steps of drawing: the material to the device, then DoRender with the identity.
    void Draw();

    // "Name" and the "Material" element of the current element.
    void SerializeMeshData(SCore::SSerializator& out);
    void DeserializeMeshData(SCore::SDeserializator& in);

    std::string m_Name;
    SCore::SAABBox m_Box;
    bool m_Enabled = true;
    std::vector<STriangle> m_Triangles;
    SCore::SMaterial m_Material;
    boost::shared_ptr<SCore::SViewport> m_Viewport;

protected:
    // The render device of the mesh's viewport; asserts that there is one.
    SCore::SRenderDevice& RenderDevice();
};

} // namespace TarnEngine
