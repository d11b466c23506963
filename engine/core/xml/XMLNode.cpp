#include "engine/core/xml/XMLNode.h"

#include "engine/core/base/TarnCoreException.h"

namespace SCore {
namespace SXML {

XMLNode::XMLNode(const std::string& name) : m_Name(name) {}

XMLNode::~XMLNode() = default;

boost::shared_ptr<XMLNode> XMLNode::GetChild(const std::string& name) const
{
    for (auto it = m_Children.rbegin(); it != m_Children.rend(); ++it)
        if ((*it)->m_Name == name)
            return *it;
    return boost::shared_ptr<XMLNode>();
}

boost::shared_ptr<XMLAttribute> XMLNode::GetAttribute(const std::string& name) const
{
    for (const auto& attribute : m_Attributes)
        if (attribute->m_Name == name)
            return attribute;
    throw TarnCoreException("Attribute:" + name + " not found");
}

} // namespace SXML
} // namespace SCore
