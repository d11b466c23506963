#pragma once
// One name="value" pair of an element, value kept as the raw text between the quotes.

#include <boost/weak_ptr.hpp>

#include <string>

namespace SCore {
namespace SXML {

class XMLNode;

class XMLAttribute {
public:
    XMLAttribute(const std::string& name, const std::string& value,
                 const boost::weak_ptr<XMLNode>& owner);
    virtual ~XMLAttribute();

    std::string GetName() const { return m_Name; }
    std::string GetValue() const { return m_Value; }

    std::string m_Name;
    std::string m_Value;
    // Non-owning, so that an element and its attributes never keep each other alive.
    boost::weak_ptr<XMLNode> m_Owner;
};

} // namespace SXML
} // namespace SCore
