#pragma once
// The scene graph: its nodes by ID and one root, stored as the "SceneGraph" element. Reading
// refuses a file whose links name a missing node, that repeats an ID, or that has a cycle.

#include "engine/core/serialization/IDeserialize.h"
#include "engine/core/serialization/ISerialize.h"
#include "engine/framework/scene/SSceneNodeBase.h"

#include <unordered_map>

namespace TarnEngine {

class SSceneGraph : public SCore::ISerialize, public SCore::IDeserialize {
public:
    typedef std::unordered_map<uint32_t, boost::shared_ptr<SSceneNodeBase>> NodeMap;

    void DoSerialize(SCore::SSerializator& out) override;
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override;
    void DoDeserialize(SCore::SDeserializator& in) override;

    NodeMap m_Nodes;
    boost::shared_ptr<SSceneNodeBase> m_Root;
};

} // namespace TarnEngine
