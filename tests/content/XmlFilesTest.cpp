// The byte-level rules of the XML dialect that a successful parse does not prove.
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
