#include "tests/engine/framework/drawables/DrawablesFixture.h"

#include "engine/core/render/SRenderDevice.h"
#include "engine/framework/drawables/SMathMatrix.h"
#include "engine/framework/drawables/STriMesh.h"
#include "engine/framework/drawables/SVertices.h"
#include "platform/testing_render.h"

#include <thread>

using namespace drawables_test;
using TarnEngine::SMeshVertex;
using TarnEngine::STriMesh;

namespace {

std::string Vertex(float x, float y, float z)
{
    return "<Vertex X=\"" + std::to_string(x) + "\" Y=\"" + std::to_string(y) + "\" Z=\"" + std::to_string(z) +
           "\" NX=\"0\" NY=\"0\" NZ=\"1\" U=\"0.5\" V=\"0.25\"></Vertex>";
}

// A "TriMesh" element; vertices and indices as given, the rest fixed.
std::string MeshXml(const std::string& vertices, const std::string& indexSize, const std::vector<std::string>& indices,
                    const std::string& vertexSize = "32", const std::string& fvf = "274")
{
    std::string text = "<TriMesh Name=\"box\"><VertexData VertexSize=\"" + vertexSize + "\" FVF=\"" + fvf +
                       "\" PrimType=\"4\">" + vertices + "</VertexData><IndexData IndexSize=\"" + indexSize + "\">";
    for (const std::string& i : indices) text += "<Index I=\"" + i + "\"></Index>";
    text += "</IndexData><Material CullMode=\"1\" FillMode=\"3\" AlphaBlend=\"1\" SrcBlend=\"5\" DstBlend=\"6\" "
            "ZWrite=\"1\" Lighting=\"0\" IsFogEnable=\"0\"><Textures></Textures></Material>"
            "<AABB MinX=\"-1\" MinY=\"-2\" MinZ=\"-3\" MaxX=\"1\" MaxY=\"2\" MaxZ=\"3\"></AABB></TriMesh>";
    return text;
}

const std::string kQuad = Vertex(2, 1, 0) + Vertex(3, 1, 0) + Vertex(3, 2, 0.5f) + Vertex(2, 2, 0);

class MeshTest : public DrawablesTest {
protected:
    boost::shared_ptr<STriMesh> NewMesh()
    {
        boost::shared_ptr<STriMesh> mesh(new STriMesh("unnamed"));
        mesh->Create(m_Viewport);
        return mesh;
    }
    std::string ReadText(STriMesh& mesh, const std::string& xml)
    {
        XmlText in(xml);
        return ThrownText([&] { mesh.DoDeserialize(in); });
    }
};

} // namespace

TEST_F(MeshTest, ReadsVerticesIndicesMaterialAndBoxAndDrawsThem)
{
    auto mesh = NewMesh();
    ASSERT_EQ("", ReadText(*mesh, MeshXml(kQuad, "2", {"0", "1", "2", "0", "2", "3"})));
    EXPECT_EQ("box", mesh->m_Name);
    EXPECT_EQ(6u, mesh->m_Material.m_DstBlend);
    EXPECT_EQ(-2.0f, mesh->m_Box.Min.Y);

    auto vertices = ReadVertices<SMeshVertex>(mesh->GetVertexBuffer());
    ASSERT_EQ(4u, vertices.size());
    EXPECT_EQ(0.5f, vertices[2].Z);
    EXPECT_EQ(1.0f, vertices[2].NZ);
    EXPECT_EQ(0.25f, vertices[2].V);
    EXPECT_EQ((std::vector<uint16_t>{0, 1, 2, 0, 2, 3}), ReadIndices(mesh->GetIndexBuffer()));

    platform::testing::ClearRenderCalls();
    mesh->DoRender(TarnEngine::IdentityMatrix());
    auto draws = platform::testing::RenderCalls("DrawIndexedPrimitive");
    ASSERT_EQ(1u, draws.size());
    EXPECT_EQ(4, draws[0].args[0]); // triangle list, as the file says
    EXPECT_EQ(2, draws[0].args[5]);
}

TEST_F(MeshTest, TrianglesAndBoxComeFromTheVertices)
{
    auto mesh = NewMesh();
    // Seven indices: the last one is not a whole triangle.
    ASSERT_EQ("", ReadText(*mesh, MeshXml(kQuad, "2", {"0", "1", "2", "3", "2", "1", "0"})));
    auto& triangles = mesh->DoGetTriangles();
    ASSERT_EQ(2u, triangles.size());
    EXPECT_EQ(0.5f, triangles[0].C.Z);
    EXPECT_EQ(2.0f, triangles[1].A.Y);

    // Every vertex lies at x >= 2, yet the box starts at the origin.
    mesh->RefreshAABB();
    EXPECT_EQ(0.0f, mesh->m_Box.Min.X);
    EXPECT_EQ(3.0f, mesh->m_Box.Max.X);
    EXPECT_EQ(0.5f, mesh->m_Box.Max.Z);
}

TEST_F(MeshTest, IndexSizesFourAndUnsupported)
{
    auto wide = NewMesh();
    ASSERT_EQ("", ReadText(*wide, MeshXml(kQuad + kQuad, "4", {"0", "1", "2", "3", "4", "5"})));
    EXPECT_EQ((std::vector<uint16_t>{0, 1, 2, 3, 4, 5}), ReadIndices(wide->GetIndexBuffer()));

    // An unsupported size is no error; its indices are all zero rather than whatever was there.
    auto odd = NewMesh();
    ASSERT_EQ("", ReadText(*odd, MeshXml(kQuad, "3", {"3", "2", "1"})));
    EXPECT_EQ((std::vector<uint16_t>{0, 0, 0}), ReadIndices(odd->GetIndexBuffer()));
}

TEST_F(MeshTest, RefusesFilesThatWouldOverrunOrMisindexTheBuffersAndFreesTheDeviceLock)
{
    std::string noNormalX = MeshXml(kQuad, "2", {"0"});
    noNormalX.replace(noNormalX.find("NX=\"0\" "), 7, "");
    auto own = [](const std::string& text) { return text + " STriMesh::DoDeserialize() Src\\STriMesh at:"; };
    struct Case {
        const char* what;
        std::string xml;
        std::string text;
    } cases[] = {
        {"vertex size 24", MeshXml(kQuad, "2", {"0"}, "24"), own("Vertex size is not supported")},
        {"other format", MeshXml(kQuad, "2", {"0"}, "24", "322"), own("Unknown FVF type")},
        {"32-bit index above 16 bits", MeshXml(kQuad, "4", {"0", "70000", "1"}), own("Index value is out of range")},
        {"index past the vertices", MeshXml(kQuad, "2", {"0", "7", "1"}), own("Index value is out of range")},
        {"vertex without a normal's x", noNormalX,
         "Attribute:NX not found SXMLDeserializator::DoDeserialize Src\\SXMLDeserializator at:"},
    };
    for (const Case& c : cases) {
        auto mesh = NewMesh();
        ASSERT_EQ("", ReadText(*mesh, MeshXml(kQuad, "2", {"0", "1", "2"})));
        auto vertices = mesh->GetVertexBuffer();
        std::string text = ReadText(*mesh, c.xml);
        EXPECT_TRUE(StartsWith(text, c.text)) << c.what << ": " << text;
        // A refused file leaves the mesh as it was.
        EXPECT_EQ(vertices, mesh->GetVertexBuffer()) << c.what;
        EXPECT_EQ("box", mesh->m_Name) << c.what;
        // Another thread can draw afterwards.
        bool locked = false;
        std::thread other([&] {
            SCore::SRenderDeviceLock lock(Device());
            locked = true;
        });
        other.join();
        EXPECT_TRUE(locked) << c.what;
    }
}
