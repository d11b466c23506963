#include "tests/engine/framework/drawables/DrawablesFixture.h"

#include "engine/core/render/SRenderDevice.h"
#include "engine/framework/scene/SCamera.h"
#include "engine/framework/drawables/SMathMatrix.h"
#include "engine/framework/scene/SSceneGraph.h"
#include "engine/framework/scene/SSceneNodeAction.h"
#include "engine/framework/scene/SSceneNodeCamera.h"
#include "engine/framework/scene/SSceneNodeFactory.h"
#include "engine/framework/scene/SSceneNodeMesh.h"
#include "engine/framework/drawables/SSprite.h"
#include "platform/testing_render.h"

using namespace drawables_test;
using namespace TarnEngine;

namespace {

const char* const kIdentity =
    "<Rotation f11=\"1\" f12=\"0\" f13=\"0\" f14=\"0\" f21=\"0\" f22=\"1\" f23=\"0\" f24=\"0\" f31=\"0\" f32=\"0\" "
    "f33=\"1\" f34=\"0\" f41=\"0\" f42=\"0\" f43=\"0\" f44=\"1\"></Rotation>";

std::string Node(unsigned id, unsigned type, const std::vector<unsigned>& children, const std::string& extra = "")
{
    std::string text = "<Node ID=\"" + std::to_string(id) + "\" Name=\"n" + std::to_string(id) + "\" Type=\"" +
                       std::to_string(type) + "\"" + extra + "><Transform><Position X=\"" + std::to_string(id) +
                       "\" Y=\"0\" Z=\"0\"></Position>" + kIdentity +
                       "<Scale X=\"1\" Y=\"1\" Z=\"1\"></Scale></Transform><Childs>";
    for (unsigned c : children) text += "<Child ID=\"" + std::to_string(c) + "\"></Child>";
    return text + "</Childs>";
}

std::string Graph(unsigned root, const std::string& nodes)
{
    return "<SceneGraph RootNode=\"" + std::to_string(root) + "\"><Nodes>" + nodes + "</Nodes></SceneGraph>";
}

class Recorder : public SSceneNodeAction {
public:
    void DoAction(SSceneNodeMesh& node) override { m_Seen += "mesh:" + node.m_Name + " "; }
    void DoAction(SSceneNodeCamera& node) override { m_Seen += "camera:" + node.m_Name + " "; }
    void DoAction(SSceneNodeBase& node) override { m_Seen += "plain:" + node.m_Name + " "; }
    std::string m_Seen;
};

void Visit(SSceneNodeBase& node, Recorder& recorder)
{
    node.DoAction(recorder);
    for (auto& child : node.m_Children) Visit(*child, recorder);
}

using SceneGraphTest = DrawablesTest;

} // namespace

TEST(STransformation, ScalesThenRotatesThenMoves)
{
    STransformation t;
    t.m_Scale = {2, 2, 2};
    t.m_Position = {1, 0, 0};
    SCore::SMatrix before = t.GetWorldMatrix();
    EXPECT_EQ(1.0f, before.m[0][0]); // nothing marked dirty yet: still the identity
    t.m_Rotation = SCore::SMatrix();
    t.m_Rotation.m[0][1] = 1.0f; // x -> y
    t.m_Rotation.m[1][0] = -1.0f;
    t.m_Rotation.m[2][2] = t.m_Rotation.m[3][3] = 1.0f;
    t.m_Dirty = 1;
    SCore::SMatrix w = t.GetWorldMatrix();
    EXPECT_EQ(1.0f, w.m[3][0] + 1.0f * w.m[0][0]); // x stays at the translation
    EXPECT_EQ(2.0f, w.m[3][1] + 1.0f * w.m[0][1]); // scaled, then turned onto y
    EXPECT_EQ(0u, t.m_Dirty);
}

TEST_F(SceneGraphTest, ReadsNodesOfEveryKindAndLinksChildrenInOrder)
{
    std::string camera = "<Camera Type=\"1\"><EYE X=\"0\" Y=\"1\" Z=\"-4\"></EYE><AT X=\"0\" Y=\"0\" Z=\"0\"></AT>"
                         "<UP X=\"0\" Y=\"1\" Z=\"0\"></UP></Camera></Node>";
    XmlText in(Graph(1, Node(1, 0, {3, 2}) + "</Node>" + Node(2, 1, {}, " MeshName=\"rock\"") + "</Node>" +
                            Node(3, 2, {}) + camera));
    SSceneGraph graph;
    ASSERT_EQ("", ThrownText([&] { graph.DoDeserialize(in); }));
    ASSERT_EQ(3u, graph.m_Nodes.size());
    ASSERT_EQ(graph.m_Nodes[1], graph.m_Root);
    Recorder recorder;
    Visit(*graph.m_Root, recorder);
    EXPECT_EQ("plain:n1 camera:n3 mesh:n2 ", recorder.m_Seen);
    auto mesh = boost::static_pointer_cast<SSceneNodeMesh>(graph.m_Nodes[2]);
    EXPECT_EQ(2.0f, mesh->m_Transformation.m_Position.X);
    EXPECT_EQ(1u, mesh->m_Transformation.m_Dirty);
    auto cameraNode = boost::static_pointer_cast<SSceneNodeCamera>(graph.m_Nodes[3]);
    ASSERT_TRUE(cameraNode->m_Camera);
    EXPECT_EQ(SCT_TPS, cameraNode->m_Camera->GetType());
}

TEST_F(SceneGraphTest, RefusesBrokenLinksDuplicatesCyclesAndUnknownKinds)
{
    struct Case {
        const char* what;
        std::string xml;
        const char* text;
    } cases[] = {
        {"missing child", Graph(1, Node(1, 0, {9}) + "</Node>"), "unknown scene node ID:9"},
        {"missing root", Graph(5, Node(1, 0, {}) + "</Node>"), "unknown scene node ID:5"},
        {"duplicate", Graph(1, Node(1, 0, {}) + "</Node>" + Node(1, 0, {}) + "</Node>"), "duplicate scene node ID:1"},
        {"cycle", Graph(1, Node(1, 0, {2}) + "</Node>" + Node(2, 0, {3}) + "</Node>" + Node(3, 0, {1}) + "</Node>"),
         "scene graph has a cycle"},
        {"unknown kind", Graph(1, Node(1, 3, {}) + "</Node>"), "Unknown SSceneNodeType"},
    };
    for (const Case& c : cases) {
        SSceneGraph graph;
        XmlText good(Graph(7, Node(7, 0, {}) + "</Node>"));
        graph.DoDeserialize(good);
        XmlText in(c.xml);
        std::string text = ThrownText([&] { graph.DoDeserialize(in); });
        EXPECT_TRUE(StartsWith(text, std::string(c.text) + " SSceneGraph::DoDeserialize() Src\\SSceneGraph at:"))
            << c.what << ": " << text;
        EXPECT_EQ(7u, graph.m_Root->m_ID) << c.what;
    }
    // Sharing a child between two parents is no cycle.
    SSceneGraph shared;
    XmlText in(Graph(1, Node(1, 0, {2, 3}) + "</Node>" + Node(2, 0, {3}) + "</Node>" + Node(3, 0, {}) + "</Node>"));
    EXPECT_EQ("", ThrownText([&] { shared.DoDeserialize(in); }));
}

TEST_F(SceneGraphTest, MeshNodeSetsTheWorldAndDrawsOnlyAnEnabledMesh)
{
    boost::shared_ptr<SSprite> sprite(new SSprite("s", false));
    sprite->Create(m_Viewport);
    auto node = boost::static_pointer_cast<SSceneNodeMesh>(SSceneNodeFactory::CreateNode(SSNT_MESH, "m"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { node->DoRender(); }), "m_Mesh.get() != 0 SSceneNodeMesh::DoRender() Src\\sscenenodemesh"));
    node->m_Mesh = sprite;
    node->m_Transformation.m_Position = {4, 5, 6};
    node->m_Transformation.m_Dirty = 1;

    sprite->m_Enabled = false;
    platform::testing::ClearRenderCalls();
    node->DoRender();
    EXPECT_EQ(4.0f, Device().DoGetTransform(SCore::STT_WORLD).m[3][0]);
    EXPECT_EQ(0u, platform::testing::DrawnPrimitives());

    sprite->m_Enabled = true;
    node->DoRender();
    EXPECT_EQ(2u, platform::testing::DrawnPrimitives());
}
