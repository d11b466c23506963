// Configuration, tutorials, maps, trophies, intro and comics: the counts and cross references
// the screens rely on.
#include "tests/content/ContentData.h"

#include <gtest/gtest.h>

using namespace content;

namespace {

// Trainer command types with the attributes each one requires.
const std::map<std::string, std::vector<std::string>> kCommands = {
    {"RGLevelTrainerCommandShowTeacher", {"X", "Y"}},
    {"RGLevelTrainerCommandHideTeacher", {}},
    {"RGLevelTrainerCommandShowToolTip", {"Text"}},
    {"RGLevelTrainerCommandHideToolTip", {}},
    {"RGLevelTrainerCommandShowArrow", {"X", "Y", "Angle"}},
    {"RGLevelTrainerCommandHideArrow", {}},
    {"RGLevelTrainerCommandShowSprite", {"Name"}},
    {"RGLevelTrainerCommandHideSprite", {"Name"}},
    {"RGLevelTrainerCommandWait", {"Time"}},
    {"RGLevelTrainerCommandWaitSpell", {"Spell", "DoneID", "ErrorID"}},
    {"RGLevelTrainerCommandWaitMapMove", {"MoveType"}},
    {"RGLevelTrainerCommandJump", {"CommandID"}},
};

} // namespace

TEST(ContentScreens, ConfigurationNamesTheListFontAndAscendingBonusLives)
{
    const Node config = LoadXml("config.xml");
    ASSERT_TRUE(config);
    EXPECT_EQ("configuration", config->m_Name);
    const Node screen = Child(config, "screen");
    EXPECT_EQ("1024", Attr(screen, "width"));
    EXPECT_EQ("768", Attr(screen, "height"));
    EXPECT_EQ("32", Attr(screen, "bitperpixel"));
    EXPECT_TRUE(Exists(Attr(screen, "texturepath")));
    const Node font = Child(Child(config, "localization"), "font");
    EXPECT_TRUE(Exists(Attr(font, "path")));
    EXPECT_TRUE(TextureList().count(Attr(font, "name")));
    EXPECT_EQ(NumAttr(font, "charsH"), NumAttr(font, "charsW"));
    const Node indent = Child(font, "indent");
    for (const char* key : {"X", "Y", "Width", "Height"})
        EXPECT_TRUE(HasAttr(indent, key)) << key;
    double last = 0;
    const auto lives = Children(Child(config, "bonus_life"));
    EXPECT_FALSE(lives.empty());
    for (const auto& life : lives) {
        EXPECT_GT(NumAttr(life, "score"), last);
        last = NumAttr(life, "score");
    }
    const Node move = Child(config, "level_move");
    EXPECT_TRUE(HasAttr(move, "force") && HasAttr(move, "attenuation"));
}

TEST(ContentScreens, TrainerCommandsAreKnownCompleteAndJumpToExistingIds)
{
    const auto files = TrainerFiles();
    for (std::size_t f = 0; f < files.size(); ++f) {
        SCOPED_TRACE(files[f]);
        const Node trainer = LoadXml(files[f]);
        ASSERT_TRUE(trainer);
        const bool mapOrScore = f < 3; // these never wait for casts or scrolls
        EXPECT_EQ("LevelTrainer", trainer->m_Name);
        std::set<std::string> ids;
        for (const auto& c : Children(trainer))
            if (HasAttr(c, "ID"))
                ids.insert(Attr(c, "ID"));
        std::set<std::string> shown;
        for (const auto& c : Children(trainer)) {
            const std::string type = Attr(c, "Type");
            const auto command = kCommands.find(type);
            ASSERT_NE(kCommands.end(), command) << "unknown command " << type;
            for (const auto& key : command->second)
                EXPECT_TRUE(HasAttr(c, key)) << type << " lacks " << key;
            if (type == "RGLevelTrainerCommandShowToolTip") {
                const std::string text = Attr(c, "Text");
                EXPECT_FALSE(text.empty());
                EXPECT_LE(text.size(), 30u) << text;
            }
            if (type == "RGLevelTrainerCommandJump") {
                EXPECT_TRUE(ids.count(Attr(c, "CommandID"))) << Attr(c, "CommandID");
            }
            if (mapOrScore) {
                EXPECT_NE("RGLevelTrainerCommandWaitSpell", type);
                EXPECT_NE("RGLevelTrainerCommandWaitMapMove", type);
            }
            if (type == "RGLevelTrainerCommandWaitSpell") {
                EXPECT_TRUE(ids.count(Attr(c, "DoneID"))) << Attr(c, "DoneID");
                EXPECT_TRUE(ids.count(Attr(c, "ErrorID"))) << Attr(c, "ErrorID");
                EXPECT_EQ(0u, Attr(c, "Spell").rfind("RGTT_", 0));
            }
            if (type == "RGLevelTrainerCommandShowSprite") {
                ASSERT_EQ(1u, Children(c, "Sprite").size());
                for (const auto& m : Descendants(Child(c, "Sprite"), "Material"))
                    EXPECT_EQ("1", Attr(m, "AlphaBlend"));
                shown.insert(Attr(c, "Name"));
            }
            if (type == "RGLevelTrainerCommandHideSprite") {
                EXPECT_TRUE(shown.count(Attr(c, "Name"))) << "hides a picture never shown";
            }
            if (type == "RGLevelTrainerCommandWaitMapMove") {
                const std::string move = Attr(c, "MoveType");
                EXPECT_TRUE(move == "LEFT" || move == "RIGHT" || move == "UP" || move == "DOWN") << move;
            }
        }
    }
}

TEST(ContentScreens, MapsHaveAPotPerLevelAndEnoughPaths)
{
    const Node map = LoadXml("Levels\\map.xml");
    ASSERT_TRUE(map);
    const auto objects = Children(Child(map, "GameObjects"));
    std::size_t pots = 0, paths = 0;
    for (const auto& o : objects) {
        const std::string name = Attr(o, "Name");
        if (name == "Earth1") {
            ++pots;
            ASSERT_EQ(1u, Children(o, "Position").size());
        } else if (name == "Group") {
            ++paths;
            const auto dots = Children(o, "GameObject");
            EXPECT_FALSE(dots.empty());
            for (const auto& d : dots)
                EXPECT_EQ(1u, Children(d, "Position").size());
        }
    }
    const std::size_t levels = LevelPack("Levels\\levelpack.xml").size();
    EXPECT_EQ(levels, pots);
    // Reaching level L draws the first P paths; indexes 3, 5 and 20 add two.
    std::size_t needed = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(levels, 29); ++i)
        needed += (i == 3 || i == 5 || i == 20) ? 2 : 1;
    EXPECT_EQ(needed, paths);

    const Node bonus = LoadXml("Levels\\map_bonus.xml");
    ASSERT_TRUE(bonus);
    std::size_t bonusPots = 0;
    for (const auto& o : Children(Child(bonus, "GameObjects")))
        bonusPots += Attr(o, "Name") == "Earth1";
    EXPECT_EQ(LevelPack("Levels\\bonuslevelpack.xml").size(), bonusPots);
}

TEST(ContentScreens, ThirtyShortAsciiTrophyNames)
{
    const auto trophies = Children(LoadXml("Levels\\trophies.xml"));
    ASSERT_EQ(30u, trophies.size());
    for (const auto& t : trophies) {
        const std::string name = Attr(t, "Name");
        EXPECT_FALSE(name.empty());
        EXPECT_LE(name.size(), 30u) << name;
    }
}

TEST(ContentScreens, IntroSlidesHaveTimedFadingPictures)
{
    const Node intro = LoadXml("intro\\intro.xml");
    ASSERT_TRUE(intro);
    const auto slides = Children(intro);
    ASSERT_FALSE(slides.empty());
    const auto textures = TextureList();
    for (const auto& slide : slides) {
        EXPECT_TRUE(textures.count(Attr(slide, "Texture")));
        const auto pictures = Children(slide);
        ASSERT_FALSE(pictures.empty());
        for (const auto& p : pictures) {
            EXPECT_GT(NumAttr(p, "Time"), 0.0);
            const auto materials = Descendants(p, "Material");
            ASSERT_EQ(1u, materials.size());
            EXPECT_EQ("1", Attr(materials.front(), "AlphaBlend")) << "the fade would not show";
        }
    }
}

TEST(ContentScreens, ComicsBelongToLevelsAndHaveUnlitTriangleListPanels)
{
    std::set<std::string> levels;
    for (const auto& entry : AllLevels())
        levels.insert(entry.first);
    const auto comics = Children(LoadXml("Levels\\comics.xml"));
    EXPECT_FALSE(comics.empty());
    for (const auto& c : comics) {
        EXPECT_TRUE(levels.count(Attr(c, "LevelName"))) << Attr(c, "LevelName");
        const std::string path = Attr(c, "ComicsPath");
        SCOPED_TRACE(path);
        const Node track = LoadXml(path);
        ASSERT_TRUE(track);
        const auto frames = Children(Child(track, "Frames"));
        ASSERT_GE(frames.size(), 2u);
        for (const auto& k : frames) {
            EXPECT_GT(NumAttr(k, "Time"), 0.0);
            EXPECT_EQ(1u, Children(k, "Eye").size());
            EXPECT_EQ(1u, Children(k, "At").size());
        }
        const auto meshes = Children(Child(track, "Meshes"));
        ASSERT_FALSE(meshes.empty());
        for (const auto& m : meshes) {
            const Node tri = Child(m, "TriMesh");
            const Node vertices = Child(tri, "VertexData");
            EXPECT_EQ("32", Attr(vertices, "VertexSize"));
            EXPECT_EQ("274", Attr(vertices, "FVF"));
            EXPECT_EQ("4", Attr(vertices, "PrimType"));
            const std::size_t count = Children(vertices).size();
            const Node indices = Child(tri, "IndexData");
            EXPECT_EQ("2", Attr(indices, "IndexSize"));
            const auto index = Children(indices);
            EXPECT_EQ(0u, index.size() % 3);
            for (const auto& i : index)
                EXPECT_LT(NumAttr(i, "I"), static_cast<double>(count));
            const Node material = Child(tri, "Material");
            EXPECT_EQ("0", Attr(material, "Lighting")) << "lit meshes render black";
            EXPECT_EQ("1", Attr(material, "CullMode"));
            EXPECT_EQ(1u, Children(tri, "AABB").size());
        }
    }
}
