#pragma once
// Hand-written parser of the engine's XML dialect: elements, double-quoted attributes and text;
// no comments, CDATA, entities or self-closing tags. One declaration and a leading UTF-8
// byte-order mark are skipped; any other text before the first element is refused, text after
// the elements is ignored. Bytes are never decoded. Line-break characters (LF, CR, TAB and
// 0x06) are dropped wherever they stand.
//
// Use once: Parse, then GetRoot. The root is a synthetic element "root" whose children are the
// document's top-level elements. Nodes and attributes of one document share one XMLArena.

#include "engine/core/xml/XMLNode.h"

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace SCore {
namespace SXML {

class XMLArena;

class XMLParser {
public:
    // Deeper documents are refused rather than risking the stack.
    static constexpr int kMaxDepth = 256;

    XMLParser();
    virtual ~XMLParser();

    // Throws XMLException. After a failure the root holds the elements completed before it.
    // The text is read in place and not kept.
    void Parse(const std::string& text);
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
    // Collects characters up to `stop`, leaving the cursor on it; line breaks are not collected.
    // Reaching the end of the text first throws XMLException(failure).
    void CollectUntil(char stop, const char* failure, std::string& out);
    // CollectUntil's way for texts that are long or hold line breaks, out of its short path.
    void CollectLong(char stop, const char* failure, std::string& out);
    // An element's name: up to a space or ">", as CollectUntil collects.
    void CollectName(const char* failure, std::string& out);
    boost::shared_ptr<XMLNode> NewNode();
    boost::shared_ptr<XMLAttribute> NewAttribute();
    // Gives the node the children completed since `first`, in one piece.
    void AdoptCompleted(const boost::shared_ptr<XMLNode>& node, std::size_t first);

    const char* m_Cursor;
    const char* m_End;
    boost::shared_ptr<XMLNode> m_Root;
    XMLArena* m_Arena;
    // Completed elements waiting for their parent to complete, so that every list of children
    // is made once at its final size; the same for the attributes of the element being read.
    std::vector<boost::shared_ptr<XMLNode>> m_Completed;
    std::vector<boost::shared_ptr<XMLAttribute>> m_Attributes;
};

} // namespace SXML
} // namespace SCore
