#include "engine/framework/scene/SSceneGraph.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/base/SEngineException.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/scene/SSceneNodeFactory.h"

#include <string>
#include <vector>

static const char* const kTarnSource = "Src\\SSceneGraph";

namespace TarnEngine {

namespace {

enum Mark { kUnvisited, kOnPath, kDone };

// Depth-first walk along the child links; meeting a node that is still on the path is a cycle.
// Iterative, so a long chain cannot exhaust the stack.
bool HasCycle(const SSceneGraph::NodeMap& nodes)
{
    std::unordered_map<const SSceneNodeBase*, Mark> marks;
    for (const auto& entry : nodes) {
        const SSceneNodeBase* start = entry.second.get();
        if (marks[start] != kUnvisited) continue;
        std::vector<std::pair<const SSceneNodeBase*, size_t>> path{{start, 0}};
        marks[start] = kOnPath;
        while (!path.empty()) {
            auto& top = path.back();
            if (top.second == top.first->m_Children.size()) {
                marks[top.first] = kDone;
                path.pop_back();
                continue;
            }
            const SSceneNodeBase* child = top.first->m_Children[top.second++].get();
            Mark& mark = marks[child];
            if (mark == kOnPath) return true;
            if (mark == kUnvisited) {
                mark = kOnPath;
                path.push_back({child, 0});
            }
        }
    }
    return false;
}

// Drops every child link so that nodes of a refused file do not keep each other alive.
void Unlink(SSceneGraph::NodeMap& nodes)
{
    for (auto& entry : nodes) entry.second->m_Children.clear();
}

} // namespace

void SSceneGraph::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    out.BeginChild("SceneGraph");
    if (m_Root) {
        out.Serialize("RootNode", m_Root->m_ID);
        out.BeginChild("Nodes");
        for (const auto& entry : m_Nodes) {
            out.BeginChild("Node");
            entry.second->DoSerialize(out);
            out.EndChild();
        }
        out.EndChild();
    }
    out.EndChild();
    TARN_CATCH("SSceneGraph::DoSerialize()")
}

void SSceneGraph::DoDeserialize(SCore::SDeserializator&, unsigned int)
{
    throw SEngineException("you do not must call this method");
}

void SSceneGraph::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    NodeMap nodes;
    std::vector<std::pair<boost::shared_ptr<SSceneNodeBase>, std::vector<uint32_t>>> links;
    in.BeginChild("SceneGraph");
    if (!in.IsAvialableName("RootNode")) { // a graph written without a root
        in.EndChild();
        m_Nodes.clear();
        m_Root.reset();
        return;
    }
    uint32_t rootId = 0;
    in.Deserialize("RootNode", rootId);
    in.BeginChild("Nodes");
    unsigned count = in.GetChildCount();
    for (unsigned i = 0; i < count; ++i) {
        in.BeginChild(i);
        SSceneNodeBase scratch("", SSNT_BASE);
        in.Deserialize("ID", scratch.m_ID);
        in.Deserialize("Name", scratch.m_Name);
        uint32_t type = 0;
        in.Deserialize("Type", type);
        boost::shared_ptr<SSceneNodeBase> node = SSceneNodeFactory::CreateNode(type, scratch.m_Name);
        node->DoDeserialize(in);
        if (!nodes.emplace(node->m_ID, node).second)
            throw SEngineException("duplicate scene node ID:" + std::to_string(node->m_ID));
        std::vector<uint32_t> childIds;
        if (in.IsHaveChild("Childs")) {
            in.BeginChild("Childs");
            unsigned children = in.GetChildCount();
            for (unsigned c = 0; c < children; ++c) {
                uint32_t id = 0;
                in.BeginChild(c);
                in.Deserialize("ID", id);
                in.EndChild();
                childIds.push_back(id);
            }
            in.EndChild();
        }
        links.push_back({node, childIds});
        in.EndChild();
    }
    in.EndChild();

    for (auto& link : links)
        for (uint32_t id : link.second) {
            auto found = nodes.find(id);
            if (found == nodes.end()) {
                Unlink(nodes);
                throw SEngineException("unknown scene node ID:" + std::to_string(id));
            }
            link.first->m_Children.push_back(found->second);
        }
    auto root = nodes.find(rootId);
    if (root == nodes.end()) {
        Unlink(nodes);
        throw SEngineException("unknown scene node ID:" + std::to_string(rootId));
    }
    if (HasCycle(nodes)) {
        Unlink(nodes);
        throw SEngineException("scene graph has a cycle");
    }
    in.EndChild();
    boost::shared_ptr<SSceneNodeBase> newRoot = root->second;
    m_Nodes.swap(nodes);
    m_Root = newRoot;
    TARN_CATCH("SSceneGraph::DoDeserialize()")
}

} // namespace TarnEngine
