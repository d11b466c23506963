// What a successful parse and the loaders do not prove: the byte-level rules of the XML dialect
// and unsigned values that the reader would wrap.
#include "tests/content/ContentData.h"

#include <gtest/gtest.h>

#include <regex>

using namespace content;

TEST(ContentXml, FilesKeepToTheDialectBytes)
{
    // The parser deletes LF, CR, TAB and 0x06 wherever they stand, so one inside a tag silently
    // joins two names; a blank before '>' of a bare start tag, a self-closing tag, a comment
    // and any byte above 0x7F are errors or garbage at run time.
    const std::regex bareTagWithBlank("<[A-Za-z_][A-Za-z0-9_]* +>");
    const std::regex singleQuotedAttr(" [A-Za-z_][A-Za-z0-9_]*='");
    const std::regex blankAroundEquals(" [A-Za-z_][A-Za-z0-9_]* *= +\"| [A-Za-z_][A-Za-z0-9_]* +=\"");
    for (const auto& f : XmlFiles()) {
        SCOPED_TRACE(f);
        const std::string b = ReadBytes(f);
        ASSERT_FALSE(b.empty());
        EXPECT_NE(0, b.compare(0, 3, "\xEF\xBB\xBF")) << "byte-order mark";
        bool inTag = false;
        for (std::size_t i = 0; i < b.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(b[i]);
            ASSERT_LT(c, 0x80u) << "non-ASCII byte at " << i;
            ASSERT_TRUE(c != '\r' && c != '\t' && c != 0x06) << "deleted control byte at " << i;
            if (c == '<')
                inTag = true;
            else if (c == '>')
                inTag = false;
            else if (c == '\n' && inTag)
                FAIL() << "line break inside a tag at " << i;
        }
        EXPECT_EQ(std::string::npos, b.find("/>")) << "self-closing tag";
        EXPECT_EQ(std::string::npos, b.find("<!")) << "comment or declaration block";
        EXPECT_EQ(std::string::npos, b.find("&")) << "entity reference";
        EXPECT_FALSE(std::regex_search(b, bareTagWithBlank)) << "blank before > of a tag without attributes";
        EXPECT_FALSE(std::regex_search(b, singleQuotedAttr)) << "single-quoted attribute";
        EXPECT_FALSE(std::regex_search(b, blankAroundEquals)) << "blank around =";
    }
}

TEST(ContentXml, UnsignedValuesAreNotNegative)
{
    // The reader wraps a negative text into a huge unsigned value instead of failing.
    const std::set<std::string> unsignedNames = {
        "ColorLU", "ColorRU", "ColorLD", "ColorRD", "CullMode", "FillMode", "SrcBlend", "DstBlend",
        "FrameHorizontal", "FrameVertical", "Style", "RenderOrder", "ID", "GeomType", "TimeDelay", "Time",
        "VertexSize", "FVF", "PrimType", "IndexSize", "I", "width", "height", "bitperpixel", "score", "code", "index"};
    for (const auto& f : XmlFiles()) {
        if (f == "Res\\nn.xml")
            continue;
        SCOPED_TRACE(f);
        for (const auto& n : Descendants(LoadXml(f)))
            for (const auto& a : n->m_Attributes) {
                const bool sizeT = n->m_Name == "Attribute" && a->m_Name == "Value" && Attr(n, "Type") == "SizeT";
                if (sizeT || unsignedNames.count(a->m_Name)) {
                    EXPECT_NE('-', (a->m_Value + " ")[0]) << "<" << n->m_Name << " " << a->m_Name << ">";
                }
            }
    }
}
