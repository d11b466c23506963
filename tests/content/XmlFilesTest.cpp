// Every XML file the game opens: which ones there are, and the byte-level rules of the dialect
// that a successful parse does not prove.
#include "tests/content/ContentData.h"

#include <gtest/gtest.h>

#include <regex>

using namespace content;

namespace {

// The XML files the game reaches from its hard-coded names through the paths inside the files.
std::set<std::string> ReachableXmlFiles()
{
    std::set<std::string> files = {
        "config.xml", "Res\\nn.xml", "gameobjects\\earthworldNEW.xml", "Levels\\levelpack.xml",
        "Levels\\bonuslevelpack.xml", "Levels\\comics.xml", "Levels\\map.xml",
        "Levels\\map_bonus.xml", "Levels\\trophies.xml", "intro\\intro.xml"};
    const auto trainers = TrainerFiles();
    files.insert(trainers.begin(), trainers.end());
    if (const Node config = LoadXml("config.xml")) {
        for (const auto& screen : Children(config, "screen"))
            files.insert(Attr(screen, "texturepath"));
        for (const auto& loc : Children(config, "localization"))
            for (const auto& font : Children(loc, "font"))
                files.insert(Attr(font, "path"));
    }
    if (const Node world = LoadXml("gameobjects\\earthworldNEW.xml"))
        for (const auto& o : Children(world))
            files.insert(Attr(world, "directory") + "\\" + Attr(o, "file"));
    for (const auto& entry : AllLevels())
        files.insert(entry.second);
    for (const auto& c : Children(LoadXml("Levels\\comics.xml")))
        files.insert(Attr(c, "ComicsPath"));
    return files;
}

} // namespace

TEST(ContentXml, EveryShippedXmlFileIsOneTheGameOpensAndEveryOpenedOneIsShipped)
{
    const std::set<std::string> reachable = ReachableXmlFiles();
    const auto xml = XmlFiles();
    const std::set<std::string> onDisk(xml.begin(), xml.end());
    for (const auto& f : reachable)
        EXPECT_TRUE(onDisk.count(f)) << "the game opens " << f << " but it is not shipped";
    for (const auto& f : onDisk)
        EXPECT_TRUE(reachable.count(f)) << f << " is shipped but nothing names it";
    EXPECT_EQ(43u, onDisk.size());
}

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
