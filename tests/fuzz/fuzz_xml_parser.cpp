// Feeds arbitrary bytes to the XML parser. A parse either fails with XMLException or yields a
// tree whose links are consistent; a tree written back out and parsed again is unchanged when
// its texts stay inside what the writer can carry.

#include "engine/core/serialization/SXMLSerializator.h"
#include "engine/core/xml/XMLException.h"
#include "engine/core/xml/XMLParser.h"

#include <boost/make_shared.hpp>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

using SCore::SXML::XMLException;
using SCore::SXML::XMLNode;
using SCore::SXML::XMLParser;

namespace {

bool Carriable(const std::string& text, bool isName)
{
    for (unsigned char c : text) {
        if (c >= 0x80 || c == '\n' || c == '\r' || c == '\t' || c == 0x06) return false;
        if (isName && (c == ' ' || c == '>' || c == '=' || c == '"')) return false;
        if (!isName && (c == '"' || c == '<')) return false;
    }
    return true;
}

bool Writable(const XMLNode& node)
{
    if (node.m_Name.empty() || !Carriable(node.m_Name, true) || !Carriable(node.m_Value, false))
        return false;
    if (!node.m_Value.empty() && node.m_Value[0] == ' ') return false;
    for (const auto& a : node.m_Attributes)
        if (a->m_Name.empty() || !Carriable(a->m_Name, true) || !Carriable(a->m_Value, false))
            return false;
    for (const auto& c : node.m_Children)
        if (!Writable(*c)) return false;
    return true;
}

void CheckLinks(const boost::shared_ptr<XMLNode>& node, int depth)
{
    if (depth > XMLParser::kMaxDepth) std::abort();
    for (const auto& a : node->m_Attributes)
        if (a->m_Owner.lock() != node) std::abort();
    for (const auto& c : node->m_Children) {
        if (c->m_Parent.lock() != node) std::abort();
        CheckLinks(c, depth + 1);
    }
}

bool Equal(const XMLNode& a, const XMLNode& b)
{
    if (a.m_Name != b.m_Name || a.m_Value != b.m_Value ||
        a.m_Attributes.size() != b.m_Attributes.size() || a.m_Children.size() != b.m_Children.size())
        return false;
    for (size_t i = 0; i < a.m_Attributes.size(); ++i)
        if (a.m_Attributes[i]->m_Name != b.m_Attributes[i]->m_Name ||
            a.m_Attributes[i]->m_Value != b.m_Attributes[i]->m_Value)
            return false;
    for (size_t i = 0; i < a.m_Children.size(); ++i)
        if (!Equal(*a.m_Children[i], *b.m_Children[i])) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XMLParser parser;
    try {
        parser.Parse(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const XMLException&) {
        if (parser.GetRoot()) CheckLinks(parser.GetRoot(), 0);
        return 0;
    }
    const boost::shared_ptr<XMLNode> root = parser.GetRoot();
    CheckLinks(root, 0);

    for (const auto& c : root->m_Children)
        if (!Writable(*c)) return 0;
    std::wostringstream out;
    for (const auto& c : root->m_Children) SCore::SXMLSerializator::WriteXMLNode(out, *c);
    std::string text;
    for (wchar_t w : out.str()) text += static_cast<char>(w);
    // The dialect takes "<?xml" anywhere as a declaration to skip, so such texts cannot come back.
    if (text.find("<?xml") != std::string::npos) return 0;
    XMLParser again;
    again.Parse(text);  // must not throw
    if (!Equal(*root, *again.GetRoot())) std::abort();
    return 0;
}
