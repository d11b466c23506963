#include "engine/core/base/TarnCoreException.h"
#include "engine/core/xml/XMLException.h"
#include "engine/core/xml/XMLParser.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>

using SCore::SXML::XMLException;
using SCore::SXML::XMLNode;
using SCore::SXML::XMLParser;

namespace {

// name(attr=value ...)'text'{children}: everything a reader can see of a tree.
std::string Dump(const XMLNode& node)
{
    std::string out = node.m_Name;
    if (!node.m_Attributes.empty()) {
        out += '(';
        for (size_t i = 0; i < node.m_Attributes.size(); ++i) {
            if (i) out += ' ';
            out += node.m_Attributes[i]->m_Name + "=" + node.m_Attributes[i]->m_Value;
        }
        out += ')';
    }
    if (!node.m_Value.empty()) out += "'" + node.m_Value + "'";
    if (!node.m_Children.empty()) {
        out += '{';
        for (size_t i = 0; i < node.m_Children.size(); ++i) {
            if (i) out += ' ';
            out += Dump(*node.m_Children[i]);
        }
        out += '}';
    }
    return out;
}

std::string ParseToDump(const std::string& text)
{
    XMLParser parser;
    parser.Parse(text);
    return Dump(*parser.GetRoot());
}

std::string ParseError(const std::string& text)
{
    XMLParser parser;
    return tarn_test::ThrownText([&] { parser.Parse(text); });
}

struct TreeCase {
    const char* text;
    const char* tree;
};

const TreeCase kTrees[] = {
    {"", "root"},
    {"\xEF\xBB\xBF<a></a>", "root{a}"}, // a UTF-8 byte-order mark is skipped
    {"\xEF\xBB\xBF<?xml version=\"1.0\"?><a></a>", "root{a}"},
    {"<a></a>", "root{a}"},
    {"<a>\n  hello  \n</a>", "root{a'hello  '}"},
    {"<a>li\nne</a>", "root{a'line'}"},
    {"<a x=\"o\nne\"></a>", "root{a(x=one)}"},
    {"<a x\r\n=\n\"1\"></a>", "root{a(x=1)}"},
    {"<a x=\"1\"y=\"2\"   ></a>", "root{a(x=1 y=2)}"},
    {"<a>\n<b>1</b>\n<c k=\"v\">\n<d></d>\n</c>\n</a>", "root{a{b'1' c(k=v){d}}}"},
    {"<a></a><b></b>", "root{a b}"},
    {"<ab></a\r\nb>", "root{ab}"}, // a close tag's line breaks are dropped too
    {"<a><b></b>after</a>", "root{a'after'{b}}"},
    // "<a >" is not an empty attribute list: ">" starts an attribute name.
    {"<a ><b x=\"1\"></a>", "root{a(><b x=1)}"},
    // A close tag whose "<" and "/" are split by a line break is still a close tag.
    {"<a><\n/a>", "root{a}"},
    // The declaration is skipped wherever it stands: parsing starts after the first "?>".
    {"<a></a><?xml?><b></b>", "root{b}"},
    // After a complete element the rest is ignored: trailing text, a stray close tag, and what
    // they hide.
    {"<a></a>trailing text", "root{a}"},
    {"<a></a>\n</b>\n", "root{a}"},
    {"<a></a>x<b></b>", "root{a}"},
};

TEST(XMLParser, BuildsTreesFromTheDialect)
{
    for (const TreeCase& c : kTrees) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.tree, ParseToDump(c.text));
    }
}

struct ErrorCase {
    const char* text;
    const char* error;
};

const ErrorCase kErrors[] = {
    {"<a>", "Value not found"},
    {"<a></b>", "CloseTag not found"},
    {"<a></ab>", "CloseTag not found"},
    {"<a></a >", "CloseTag not found"},
    {"<a></a", "CloseTag not found"},
    {"<a", "XMLNode not found"},
    {"<?xml <a></a>", "XMLNode not found"},
    {"<>", "XMLNode name not found"},
    {"<a x=1></a>", "XMLAttribute start \" symbol not found"},
    {"<a x", "XMLAttribute not found"},
    {"<a x=\"1", "XMLAttribute not found"},
    {"<a ></a>", "XMLAttribute not found"},
    {"<a>x<b></b></a>", "CloseTag symbol '/' not found"},
    {"stray\n<a></a>", "text outside the root element"},
    {"</b><a></a>", "text outside the root element"},
    {"\xFF\xFE<", "text outside the root element"}, // a UTF-16 byte-order mark
};

TEST(XMLParser, ReportsEachMalformedConstructWithItsText)
{
    for (const ErrorCase& c : kErrors)
        EXPECT_EQ(c.error, ParseError(c.text)) << "text: " << c.text;
}

TEST(XMLParser, FailedParseKeepsOnlyCompletedElements)
{
    XMLParser parser;
    EXPECT_THROW(parser.Parse("<a></a><b><c></c><d>"), XMLException);
    EXPECT_EQ("root{a}", Dump(*parser.GetRoot()));
}

TEST(XMLParser, GetChildReturnsTheLastOfItsNameAndGetAttributeTheFirst)
{
    XMLParser parser;
    parser.Parse("<a><b n=\"1\" n=\"2\"></b><c></c><b n=\"3\"></b></a>");
    auto a = parser.GetRoot()->GetChild("a");
    EXPECT_EQ("3", a->GetChild("b")->GetAttribute("n")->GetValue());
    auto first = a->m_Children[0];
    EXPECT_EQ("1", first->GetAttribute("n")->GetValue());
    EXPECT_EQ("n", first->GetAttribute("n")->GetName());
    EXPECT_FALSE(a->GetChild("B"));
    EXPECT_FALSE(a->GetChild("b "));
    EXPECT_EQ("Attribute:N not found", tarn_test::ThrownText([&] { first->GetAttribute("N"); }));
}

std::string Nested(int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<e>";
    for (int i = 0; i < depth; ++i) text += "</e>";
    return text;
}

TEST(XMLParser, AcceptsNestingUpToTheLimitAndRefusesDeeper)
{
    XMLParser parser;
    parser.Parse(Nested(XMLParser::kMaxDepth));
    auto node = parser.GetRoot();
    int depth = 0;
    while (!node->m_Children.empty()) {
        node = node->m_Children[0];
        ++depth;
    }
    EXPECT_EQ(XMLParser::kMaxDepth, depth);

    EXPECT_EQ("XML nesting too deep", ParseError(Nested(XMLParser::kMaxDepth + 1)));
    EXPECT_EQ("XML nesting too deep", ParseError(Nested(100000)));
}

// Parent and owner links do not own: the tree goes with its last owner.
TEST(XMLParser, LinksPointToTheOwnersAndTheTreeIsFreedWithItsLastOwner)
{
    boost::weak_ptr<XMLNode> root, leaf;
    {
        XMLParser parser;
        parser.Parse("<a><b k=\"v\"></b></a>");
        auto a = parser.GetRoot()->GetChild("a");
        auto b = a->GetChild("b");
        EXPECT_EQ(parser.GetRoot(), a->m_Parent.lock());
        EXPECT_EQ(a, b->m_Parent.lock());
        EXPECT_TRUE(parser.GetRoot()->m_Parent.expired());
        EXPECT_EQ(b, b->GetAttribute("k")->m_Owner.lock());
        root = parser.GetRoot();
        leaf = b;
    }
    EXPECT_TRUE(root.expired());
    EXPECT_TRUE(leaf.expired());
}

} // namespace
