#pragma once
// An element of a parsed or built XML document. The fields are public: the parser, the reader,
// the writer and loaders that walk a tree directly all fill and read them.

#include "engine/core/xml/XMLAttribute.h"

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <string>
#include <vector>

namespace SCore {
namespace SXML {

class XMLNode {
public:
    explicit XMLNode(const std::string& name);
    virtual ~XMLNode();

    // The last child of that name (several may share it), or an empty pointer.
    boost::shared_ptr<XMLNode> GetChild(const std::string& name) const;
    // The first attribute of that name; throws TarnCoreException "Attribute:<name> not found".
    boost::shared_ptr<XMLAttribute> GetAttribute(const std::string& name) const;

    std::string m_Name;
    std::vector<boost::shared_ptr<XMLNode>> m_Children;
    std::vector<boost::shared_ptr<XMLAttribute>> m_Attributes;
    // Non-owning: a shared back link would keep every parsed tree alive forever.
    boost::weak_ptr<XMLNode> m_Parent;
    std::string m_Value;
};

} // namespace SXML
} // namespace SCore
