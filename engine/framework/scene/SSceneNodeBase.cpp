#include "engine/framework/scene/SSceneNodeBase.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/base/SEngineException.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/scene/SSceneNodeAction.h"

static const char* const kTarnSource = "Src\\SSceneNodeBase";

namespace TarnEngine {

SSceneNodeBase::SSceneNodeBase(const std::string& name, SSceneNodeType type) : m_Name(name), m_Type(type) {}

void SSceneNodeBase::DoAction(SSceneNodeAction& action) { action.DoAction(*this); }

void SSceneNodeBase::SerializeNode(SCore::SSerializator& out)
{
    TARN_TRY
    out.Serialize("ID", m_ID);
    out.Serialize("Name", m_Name);
    uint32_t type = m_Type;
    out.Serialize("Type", type);
    m_Transformation.DoSerialize(out);
    out.BeginChild("Childs");
    for (const auto& child : m_Children) {
        out.BeginChild("Child");
        out.Serialize("ID", child->m_ID);
        out.EndChild();
    }
    out.EndChild();
    TARN_CATCH("SSceneNodeBase::SerializeNode()")
}

void SSceneNodeBase::DeserializeNode(SCore::SDeserializator& in)
{
    TARN_TRY
    in.Deserialize("ID", m_ID);
    in.Deserialize("Name", m_Name);
    uint32_t type = 0;
    in.Deserialize("Type", type);
    m_Type = SSceneNodeType(type);
    m_Transformation.DoDeserialize(in);
    TARN_CATCH("SSceneNodeBase::DeserializeNode()")
}

void SSceneNodeBase::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    SerializeNode(out);
    TARN_CATCH("SSceneNodeBase::DoSerialize()")
}

void SSceneNodeBase::DoDeserialize(SCore::SDeserializator&, unsigned int)
{
    throw SEngineException("you do not must call this method");
}

void SSceneNodeBase::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    DeserializeNode(in);
    TARN_CATCH("SSceneNodeBase::DoDeserialize()")
}

} // namespace TarnEngine
