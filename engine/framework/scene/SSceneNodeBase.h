#pragma once
// A node of the scene graph: an ID, a name, a kind and a transformation, with children held
// strongly. Drawing a node draws only the node; walking the tree is its owner's business.

#include "engine/core/serialization/IDeserialize.h"
#include "engine/core/serialization/ISerialize.h"
#include "engine/framework/scene/STransformation.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace TarnEngine {

class SSceneNodeAction;

enum SSceneNodeType : uint32_t {
    SSNT_BASE = 0,
    SSNT_MESH = 1,
    SSNT_CAMERA = 2,
};

class SSceneNodeBase : public SCore::ISerialize, public SCore::IDeserialize {
public:
    SSceneNodeBase(const std::string& name, SSceneNodeType type);

    // Writes the node's fields into the current element.
    void DoSerialize(SCore::SSerializator& out) override;
    virtual void DoAction(SSceneNodeAction& action);
    virtual void DoRender() {}
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override;
    // Reads the node's fields from the current element.
    void DoDeserialize(SCore::SDeserializator& in) override;

    // "ID", "Name", "Type" and the "Transform" child; writing adds the children's IDs.
    void SerializeNode(SCore::SSerializator& out);
    void DeserializeNode(SCore::SDeserializator& in);

    std::vector<boost::shared_ptr<SSceneNodeBase>> m_Children;
    uint32_t m_ID = 0;
    std::string m_Name;
    STransformation m_Transformation;
    SSceneNodeType m_Type;
};

} // namespace TarnEngine
