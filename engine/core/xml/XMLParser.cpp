#include "engine/core/xml/XMLParser.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/xml/XMLException.h"

#include <boost/make_shared.hpp>

#include <cstring>

static const char* const kTarnSource = "Src\\XMLParser";

namespace SCore {
namespace SXML {

namespace {

const int kEnd = -1;

inline bool IsLineBreak(char c)
{
    return c == '\n' || c == '\r' || c == '\x06' || c == '\t';
}

inline bool IsBlank(char c)
{
    return c == ' ' || IsLineBreak(c);
}

} // namespace

XMLParser::XMLParser() : m_Cursor(0) {}

XMLParser::~XMLParser() = default;

int XMLParser::Current() const
{
    return m_Cursor < m_Text.size() ? static_cast<unsigned char>(m_Text[m_Cursor]) : kEnd;
}

void XMLParser::NextSymbol(const char* failure)
{
    const std::size_t size = m_Text.size();
    if (m_Cursor >= size)
        throw XMLException(failure);
    ++m_Cursor;
    while (m_Cursor < size && IsLineBreak(m_Text[m_Cursor]))
        ++m_Cursor;
}

void XMLParser::SkipBlanks()
{
    const std::size_t size = m_Text.size();
    while (m_Cursor < size && IsBlank(m_Text[m_Cursor]))
        ++m_Cursor;
}

void XMLParser::CollectUntil(char stop, const char* failure, std::string& out)
{
    // Long texts (the gesture network's weights) dominate parsing: find the end first, then
    // copy the runs between line-break characters.
    const char* const text = m_Text.data();
    const std::size_t size = m_Text.size();
    const void* found = std::memchr(text + m_Cursor, stop, size - m_Cursor);
    if (!found) {
        m_Cursor = size;
        throw XMLException(failure);
    }
    const std::size_t end = static_cast<const char*>(found) - text;
    out.reserve(out.size() + (end - m_Cursor));
    std::size_t pos = m_Cursor;
    while (pos < end) {
        const std::size_t start = pos;
        while (pos < end && !IsLineBreak(text[pos]))
            ++pos;
        out.append(text + start, pos - start);
        while (pos < end && IsLineBreak(text[pos]))
            ++pos;
    }
    m_Cursor = end;
}

void XMLParser::CollectUntil(char stop, char otherStop, const char* failure, std::string& out)
{
    // Same result as collecting one character and advancing at a time, a run at a time.
    const char* const text = m_Text.data();
    const std::size_t size = m_Text.size();
    std::size_t pos = m_Cursor;
    for (;;) {
        const std::size_t start = pos;
        while (pos < size && text[pos] != stop && text[pos] != otherStop && !IsLineBreak(text[pos]))
            ++pos;
        out.append(text + start, pos - start);
        if (pos >= size) {
            m_Cursor = size;
            throw XMLException(failure);
        }
        if (text[pos] == stop || text[pos] == otherStop)
            break;
        while (pos < size && IsLineBreak(text[pos]))
            ++pos;
    }
    m_Cursor = pos;
}

void XMLParser::Parse(std::string text)
{
    TARN_TRY
    m_Text.swap(text);
    m_Cursor = 0;
    if (m_Text.find("<?xml") != std::string::npos) {
        const std::size_t end = m_Text.find("?>");
        if (end == std::string::npos)
            throw XMLException("XMLNode not found");
        m_Cursor = end + 2;
    }
    m_Root = boost::make_shared<XMLNode>("root");
    FindNode(m_Root, 0);
    TARN_CATCH("XMLParser::Parse")
}

void XMLParser::FindNode(const boost::shared_ptr<XMLNode>& parent, int depth)
{
    TARN_TRY
    while (m_Cursor < m_Text.size()) {
        SkipBlanks();
        if (Current() != '<')
            return;
        const std::size_t open = m_Cursor;
        NextSymbol("XMLNode not found");
        if (Current() == '/') {
            // The parent's close tag: leave it for CheckCloseTag.
            m_Cursor = open;
            return;
        }

        std::string name;
        CollectUntil(' ', '>', "XMLNode not found", name);
        if (name.empty())
            throw XMLException("XMLNode name not found");
        if (depth >= kMaxDepth)
            throw XMLException("XML nesting too deep");

        boost::shared_ptr<XMLNode> node = boost::make_shared<XMLNode>(name);
        FindAttributes(node);
        FindNode(node, depth + 1);
        FindValue(node);
        CheckCloseTag(node);

        // Only completed elements join the tree.
        node->m_Parent = parent;
        parent->m_Children.push_back(node);
    }
    TARN_CATCH("XMLParser::FindNode")
}

void XMLParser::FindAttributes(const boost::shared_ptr<XMLNode>& node)
{
    TARN_TRY
    static const char* const kMissing = "XMLAttribute not found";
    if (Current() == '>') {
        NextSymbol("XMLNode not found");
        return;
    }
    while (Current() == ' ')
        NextSymbol(kMissing);
    for (;;) {
        // Everything up to "=" is the name, blanks, quotes and ">" included.
        std::string name;
        CollectUntil('=', kMissing, name);
        NextSymbol(kMissing);
        if (Current() != '"')
            throw XMLException("XMLAttribute start \" symbol not found");
        NextSymbol(kMissing);
        std::string value;
        CollectUntil('"', kMissing, value);
        node->m_Attributes.push_back(boost::make_shared<XMLAttribute>(name, value, node));

        NextSymbol(kMissing);
        while (Current() == ' ')
            NextSymbol(kMissing);
        if (Current() == '>') {
            NextSymbol("Value not found");
            return;
        }
    }
    TARN_CATCH("XMLParser::FindAttributes")
}

void XMLParser::FindValue(const boost::shared_ptr<XMLNode>& node)
{
    TARN_TRY
    std::string value;
    CollectUntil('<', "Value not found", value);
    node->m_Value.swap(value);
    TARN_CATCH("XMLParser::FindValue")
}

void XMLParser::CheckCloseTag(const boost::shared_ptr<XMLNode>& node)
{
    TARN_TRY
    static const char* const kMissing = "CloseTag not found";
    NextSymbol(kMissing);
    if (Current() != '/')
        throw XMLException("CloseTag symbol '/' not found");
    NextSymbol(kMissing);
    std::string name;
    CollectUntil('>', kMissing, name);
    NextSymbol(kMissing);
    if (name != node->m_Name)
        throw XMLException(kMissing);
    TARN_CATCH("XMLParser::CheckCloseTag")
}

} // namespace SXML
} // namespace SCore
