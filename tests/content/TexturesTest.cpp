// The texture list against the names the game looks up and the sizes its texture coordinates
// assume; the images loaded by path (loading screen, menu logos); the font metrics.
#include "tests/content/ContentData.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace content;

namespace {

struct Fixed {
    const char* name;
    unsigned width;
    unsigned height;
};

// Every name the game's code looks up, with the image size its texture coordinates are cut for.
const Fixed kFixedTextures[] = {
    {"PTR", 32, 32}, {"PORTALPTR", 64, 64}, {"ANGEL", 256, 128}, {"SKELETON", 128, 128},
    {"TEACHER", 128, 128}, {"ARROWANIM", 64, 64}, {"TRAINERTOOLTIP", 256, 128},
    {"PARTICLE", 256, 256}, {"BLACK", 4, 1}, {"FINALCUT", 1024, 1024}, {"FINALCUT2", 1024, 1024},
    {"FINALTEXT", 512, 512}, {"FINALTEXT2", 512, 256}, {"FINALTEXT3", 512, 64},
    {"GAMEMENU", 1024, 1024}, {"GAMEMENURESUME", 256, 1024}, {"GAMEMENUBACKTOMENU", 256, 1024},
    {"GAMEMENUBACKTOMAP", 256, 1024}, {"GAMEMENUREPLAY", 256, 1024}, {"SKIPBTNACTPAS", 128, 128},
    {"MENUPAS", 128, 64}, {"MENUACT", 128, 64}, {"PAUSEACTPAS", 128, 128},
    {"SCOREBKG", 1024, 1024}, {"BOTTOMBAR", 1024, 64}, {"LEFTBAR", 128, 1024},
    {"BOLVANLU", 256, 512}, {"BOLVANLD", 256, 512}, {"SCORESMALL", 64, 32}, {"SUN", 512, 128},
    {"SUNEYEL", 128, 256}, {"SPELLWALL", 128, 128}, {"SPELLBRIDGE", 128, 128},
    {"SPELLWINDRIGHT", 128, 128}, {"SPELLWINDLEFT", 128, 128}, {"SPELLTELEPORT", 128, 128},
    {"CURSOR", 64, 64}, {"ARROW", 128, 64}, {"LIFEPOT", 16, 16}, {"GAMEOVER", 1024, 1024},
    {"PAUSE", 1024, 1024}, {"PRESSSPACEBAR", 512, 64}, {"BAT1", 512, 256}, {"BAT2", 512, 256},
    {"BAT3", 512, 256}, {"BAT4", 512, 256}, {"MENUBKG", 1024, 1024}, {"PLAYGAMEACTPAS", 256, 256},
    {"SETTINGSACTPAS", 256, 256}, {"HIGHSCOREACTPAS", 256, 256}, {"EXITACTPAS", 256, 256},
    {"IFTHIS", 512, 64}, {"BONUSLEVELACTPASDIS", 512, 256}, {"NOTAVAILABLE", 512, 128},
    {"BALL", 256, 256}, {"CREDITS", 1024, 1024}, {"AREYOUSURE", 1024, 512},
    {"SETTINGS", 1024, 512}, {"WHOAREYOU", 1024, 512}, {"NEWUSER", 1024, 512},
    {"BTNYESPAS", 256, 128}, {"BTNYESACT", 256, 128}, {"BTNNOPAS", 256, 128},
    {"BTNNOACT", 256, 128}, {"OKBTNPAS", 128, 64}, {"OKBTNACT", 128, 64},
    {"CREDITBTNPAS", 128, 64}, {"CREDITBTNACT", 128, 64}, {"CANBTNPAS", 128, 64},
    {"CANBTNACT", 128, 64}, {"DELBTNPAS", 128, 64}, {"DELBTNACT", 128, 64},
    {"CLEARBTNPAS", 128, 64}, {"CLEARBTNACT", 128, 64}, {"SHUTTLE", 16, 64}, {"CHECK", 256, 256},
    {"BTNNEWUSERPAS", 512, 64}, {"BTNNEWUSERACT", 512, 64}, {"TXTBOXBKG", 512, 64},
    {"SCROLLPOINT", 32, 32}, {"TEXTBOXCURSOR", 8, 32}, {"PROFILEEXIST", 512, 128},
    {"MAP", 1024, 1024}, {"MAPBONUS", 1024, 1024}, {"LEVELPOTS", 128, 128}, {"STAR", 32, 32},
    {"DOT", 8, 8}, {"MAPBTNMENU", 128, 128}, {"MAPBTNNEXT", 128, 128},
    {"MAPBTNTROPHIES", 128, 128}, {"TOOLTIP", 128, 32}, {"BONUSLEVELPOTS", 1024, 512},
    {"PROGBAR1", 1024, 64}, {"PROGBAR2", 1024, 64}, {"SCORENEXTPAS", 128, 128},
    {"SCORENEXTACT", 128, 128}, {"SCORESTAFFACT", 128, 512}, {"SCORESTAFFPAS", 128, 512},
    {"SCORELIFESTAFF", 32, 512}, {"SCOREYOUDONT", 1024, 512}, {"SCORELINE", 128, 4},
    {"TROPHIES", 1024, 1024}, {"TROPHIESSET", 1024, 1024}, {"TROPHIEBIG1", 256, 512},
    {"TROPHIEBIG2", 256, 512}, {"TROPHIESETBIG1", 1024, 1024}, {"TROPHIESETBIG2", 1024, 1024},
    {"TROPHIEBIGBACKGROUND", 512, 512}, {"WOW", 512, 512},
};

// Every texture name some content file refers to, with the file that names it.
std::map<std::string, std::string> ReferencedByContent()
{
    std::map<std::string, std::string> refs;
    for (const auto& f : XmlFiles()) {
        if (f == "Res\\textures.xml" || f == "Res\\nn.xml")
            continue;
        for (const auto& n : Descendants(LoadXml(f))) {
            for (const auto& a : n->m_Attributes) {
                const bool texture = a->m_Name == "Texture1" || a->m_Name == "Texture2" ||
                                     a->m_Name == "TextureName" ||
                                     (n->m_Name == "Slide" && a->m_Name == "Texture") ||
                                     (n->m_Name == "font" && a->m_Name == "name");
                if (texture)
                    refs[a->m_Value] = f;
            }
        }
    }
    return refs;
}

} // namespace

TEST(ContentTextures, ListHoldsEveryLookedUpNameOnceAtItsSize)
{
    const Node list = LoadXml("Res\\textures.xml");
    ASSERT_TRUE(list);
    std::map<std::string, int> seen;
    for (const auto& t : Children(list))
        ++seen[Attr(t, "Name")];
    for (const auto& s : seen)
        EXPECT_EQ(1, s.second) << s.first << " is listed more than once";

    const std::map<std::string, std::string> textures = TextureList();
    for (const Fixed& f : kFixedTextures) {
        SCOPED_TRACE(f.name);
        const auto it = textures.find(f.name);
        ASSERT_NE(textures.end(), it) << "missing from the texture list";
        const ImageSize size = PngSize(it->second);
        EXPECT_EQ(f.width, size.width);
        EXPECT_EQ(f.height, size.height);
    }
}

TEST(ContentTextures, EveryNameTheContentUsesIsListed)
{
    const std::map<std::string, std::string> textures = TextureList();
    const std::map<std::string, std::string> refs = ReferencedByContent();
    EXPECT_GT(refs.size(), 25u);
    for (const auto& r : refs)
        EXPECT_TRUE(textures.count(r.first)) << r.first << " (named in " << r.second << ") is not in the texture list";
}

TEST(ContentTextures, ListedImagesAreRgbaPngsWithPowerOfTwoSides)
{
    for (const auto& t : TextureList()) {
        SCOPED_TRACE(t.first + " " + t.second);
        ASSERT_TRUE(Exists(t.second)) << "image file missing";
        const ImageSize size = PngSize(t.second);
        EXPECT_EQ(6, size.colourType) << "not an RGBA PNG";
        for (unsigned side : {size.width, size.height})
            EXPECT_TRUE(side != 0 && (side & (side - 1)) == 0) << side << " is not a power of two";
    }
}

TEST(ContentTextures, OnlyBlackForcesOneMipLevelAndTheGameOwnNamesStayOut)
{
    for (const auto& t : Children(LoadXml("Res\\textures.xml"))) {
        const std::string name = Attr(t, "Name");
        if (name == "BLACK")
            EXPECT_EQ("1", HasAttr(t, "MipLevels") ? Attr(t, "MipLevels") : std::string("absent"));
        else
            EXPECT_FALSE(HasAttr(t, "MipLevels")) << name;
        EXPECT_NE("PaintingSprite", name);
        EXPECT_NE("logo_a.png", name);
        EXPECT_NE("logo_na.png", name);
    }
}

TEST(ContentTextures, LoadingScreenDdsFilesHaveTheUncompressedHeader)
{
    const struct {
        const char* path;
        unsigned width, height;
    } files[] = {{"Loading\\background.dds", 1024, 1024}, {"Loading\\animation.dds", 512, 512},
                 {"Loading\\active.dds", 512, 64}, {"Loading\\passive.dds", 512, 64}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.path);
        const std::string b = ReadBytes(f.path);
        ASSERT_GE(b.size(), 128u);
        EXPECT_EQ(0, b.compare(0, 4, "DDS "));
        // Header size; caps, height, width, pitch and pixel format given; then the 32-bit
        // RGB | ALPHAPIXELS pixel format with its A8R8G8B8 masks.
        std::vector<unsigned> header;
        for (std::size_t at : {4, 8, 12, 16, 20, 76, 80, 88, 92, 96, 100, 104})
            header.push_back(Le32(b, at));
        EXPECT_EQ((std::vector<unsigned>{124, 0x100F, f.height, f.width, 4 * f.width, 32, 0x41, 32, 0x00FF0000,
                                         0x0000FF00, 0x000000FF, 0xFF000000}),
                  header);
        EXPECT_EQ(128u + 4u * f.width * f.height, b.size());
    }
}

TEST(ContentTextures, BothMenuLogosAreShipped)
{
    for (const char* logo : {"fsdata\\logo_na.png", "fsdata\\logo_a.png"}) {
        EXPECT_EQ(128u, PngSize(logo).width) << logo;
        EXPECT_EQ(64u, PngSize(logo).height) << logo;
    }
}

TEST(ContentTextures, FontMetricsCoverPrintableAsciiWithCroppingWidths)
{
    const Node font = LoadXml("Res\\fontmetrics.xml");
    ASSERT_TRUE(font);
    EXPECT_EQ("font", font->m_Name);
    std::map<unsigned, double> widths;
    for (const auto& c : Children(font)) {
        const unsigned code = static_cast<unsigned>(NumAttr(c, "code"));
        EXPECT_EQ(code, static_cast<unsigned>(NumAttr(c, "index")));
        widths[code] = NumAttr(c, "width");
    }
    EXPECT_EQ(95u, widths.size());
    for (unsigned code = 32; code <= 126; ++code)
        EXPECT_TRUE(widths.count(code) && widths[code] > 0.0 && widths[code] <= 1.0) << code;
    // A wide letter gets more room than a narrow one.
    EXPECT_GT(widths['W'], widths['i']);
    const ImageSize sheet = PngSize(TextureList()["FONT"]);
    EXPECT_EQ(512u, sheet.width);
    EXPECT_EQ(512u, sheet.height);
}
