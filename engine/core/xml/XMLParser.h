#pragma once
// Hand-written parser of the engine's XML dialect: elements, double-quoted attributes and text;
// no comments, CDATA, entities or self-closing tags. One declaration is skipped. Bytes are never
// decoded. Line-break characters (LF, CR, TAB and 0x06) are dropped wherever they stand.
//
// Use once: Parse, then GetRoot. The root is a synthetic element "root" whose children are the
// document's top-level elements.

#include "engine/core/xml/XMLNode.h"

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <string>

namespace SCore {
namespace SXML {

class XMLParser {
public:
    // Deeper documents are refused rather than risking the stack.
    static constexpr int kMaxDepth = 256;

    XMLParser();
    virtual ~XMLParser();

    // Throws XMLException. After a failure the root holds the elements completed before it.
    void Parse(std::string text);
    boost::shared_ptr<XMLNode> GetRoot() const { return m_Root; }

protected:
    // Moves one character on and past the line-break characters after it; at the end of the
    // text throws XMLException(failure).
    void NextSymbol(const char* failure);

    void FindNode(const boost::shared_ptr<XMLNode>& parent, int depth);
    void FindAttributes(const boost::shared_ptr<XMLNode>& node);
    void FindValue(const boost::shared_ptr<XMLNode>& node);
    void CheckCloseTag(const boost::shared_ptr<XMLNode>& node);

private:
    int Current() const;
    void SkipBlanks();
    // Collects characters up to `stop` (or `otherStop`), leaving the cursor on it; line breaks are not collected.
    // Reaching the end of the text first throws XMLException(failure).
    void CollectUntil(char stop, const char* failure, std::string& out);
    void CollectUntil(char stop, char otherStop, const char* failure, std::string& out);

    std::size_t m_Cursor;
    boost::shared_ptr<XMLNode> m_Root;
    std::string m_Text;
};

} // namespace SXML
} // namespace SCore
