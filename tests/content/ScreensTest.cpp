// Tutorials, maps, trophies, intro and comics: the counts and cross references the screens rely
// on (the configuration is read by the start-up on the shipped content).
#include "tests/content/ContentData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <utility>

using namespace content;

namespace {

// Trainer command types (after "RGLevelTrainerCommand") with the attributes each one requires.
const std::map<std::string, std::string> kCommands = {
    {"ShowTeacher", "X Y"}, {"HideTeacher", ""}, {"ShowToolTip", "Text"}, {"HideToolTip", ""},
    {"ShowArrow", "X Y Angle"}, {"HideArrow", ""}, {"ShowSprite", "Name"}, {"HideSprite", "Name"},
    {"Wait", "Time"}, {"WaitSpell", "Spell DoneID ErrorID"}, {"WaitMapMove", "MoveType"}, {"Jump", "CommandID"}};
const std::string kCommandPrefix = "RGLevelTrainerCommand";

// A rectangle in window fractions.
struct Box {
    double x0, y0, x1, y1;
    bool Meets(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// Each speech of a tutorial with the teacher beside it, in window fractions: the teacher is
// 100 x 99 px; its speech starts 0.082 right of it, about 40 px high, and grows about 0.0135 a
// character (measured on the game's font and padding).
struct Speech {
    std::string text;
    Box teacher, speech;
};

std::vector<Speech> Speeches(const std::string& file)
{
    std::vector<Speech> out;
    double x = -1, y = -1;
    for (const auto& c : Children(LoadXml(file))) {
        const std::string type = Attr(c, "Type");
        if (type == kCommandPrefix + "ShowTeacher") {
            x = NumAttr(c, "X"), y = NumAttr(c, "Y");
        } else if (type == kCommandPrefix + "ShowToolTip") {
            EXPECT_GE(x, 0.0) << "speech before the teacher in " << file;
            const std::string text = Attr(c, "Text");
            out.push_back({text, {x, y, x + 100 / 1024.0, y + 99 / 768.0},
                           {x + 0.082, y, x + 0.082 + 0.0135 * text.size() + 0.015, y + 40 / 768.0}});
        }
    }
    return out;
}

} // namespace

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
            const std::string kind = type.rfind(kCommandPrefix, 0) == 0 ? type.substr(kCommandPrefix.size()) : "";
            const auto command = kCommands.find(kind);
            ASSERT_NE(kCommands.end(), command) << "unknown command " << type;
            std::istringstream keys(command->second);
            for (std::string key; keys >> key;)
                EXPECT_TRUE(HasAttr(c, key)) << type << " lacks " << key;
            if (kind == "ShowToolTip") {
                EXPECT_TRUE(!Attr(c, "Text").empty() && Attr(c, "Text").size() <= 30u) << Attr(c, "Text");
            } else if (kind == "Jump") {
                EXPECT_TRUE(ids.count(Attr(c, "CommandID"))) << Attr(c, "CommandID");
            } else if (kind == "WaitSpell") {
                EXPECT_FALSE(mapOrScore) << type;
                EXPECT_TRUE(ids.count(Attr(c, "DoneID")) && ids.count(Attr(c, "ErrorID"))) << Attr(c, "DoneID");
                EXPECT_EQ(0u, Attr(c, "Spell").rfind("RGTT_", 0));
            } else if (kind == "ShowSprite") {
                ASSERT_EQ(1u, Children(c, "Sprite").size());
                for (const auto& m : Descendants(Child(c, "Sprite"), "Material"))
                    EXPECT_EQ("1", Attr(m, "AlphaBlend"));
                shown.insert(Attr(c, "Name"));
            } else if (kind == "HideSprite") {
                EXPECT_TRUE(shown.count(Attr(c, "Name"))) << "hides a picture never shown";
            } else if (kind == "WaitMapMove") {
                EXPECT_FALSE(mapOrScore) << type;
                EXPECT_TRUE(std::set<std::string>({"LEFT", "RIGHT", "UP", "DOWN"}).count(Attr(c, "MoveType")));
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
    for (const auto& t : trophies)
        EXPECT_TRUE(!Attr(t, "Name").empty() && Attr(t, "Name").size() <= 30u) << Attr(t, "Name");
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
            // Unlit (lit meshes render black) two-sided triangle lists, 32-byte vertices, 16-bit indices.
            const Node vertices = Child(tri, "VertexData"), indices = Child(tri, "IndexData");
            const Node material = Child(tri, "Material");
            EXPECT_EQ("32 274 4 2 0 1", Attr(vertices, "VertexSize") + " " + Attr(vertices, "FVF") + " " +
                                            Attr(vertices, "PrimType") + " " + Attr(indices, "IndexSize") + " " +
                                            Attr(material, "Lighting") + " " + Attr(material, "CullMode"));
            const auto index = Children(indices);
            EXPECT_EQ(0u, index.size() % 3);
            for (const auto& i : index)
                EXPECT_LT(NumAttr(i, "I"), static_cast<double>(Children(vertices).size()));
            EXPECT_EQ(1u, Children(tri, "AABB").size());
        }
    }
}

TEST(ContentScreens, MapTutorialsSpeakClearOfThePots)
{
    // A pot stands at its Position with its site drawn below and to both sides of it.
    std::vector<Box> pots;
    for (const auto& o : Children(Child(LoadXml("Levels\\map.xml"), "GameObjects")))
        if (Attr(o, "Name") == "Earth1") {
            const Node at = Child(o, "Position");
            pots.push_back({NumAttr(at, "X") - 0.03, NumAttr(at, "Y"), NumAttr(at, "X") + 0.06, NumAttr(at, "Y") + 0.1});
        }
    ASSERT_FALSE(pots.empty());
    for (const char* file : {"Levels\\map_trainer_1.xml", "Levels\\map_trainer_2.xml"}) {
        SCOPED_TRACE(file);
        for (const Speech& s : Speeches(file)) {
            EXPECT_LE(s.speech.x1, 1.0);
            for (const Box& pot : pots)
                EXPECT_FALSE(s.teacher.Meets(pot) || s.speech.Meets(pot)) << "over the pot at " << pot.x0 + 0.03;
        }
    }
}

TEST(ContentScreens, LevelTutorialsSpeakClearOfTheWalkersAndTheGroundAheadOfThem)
{
    // The field (896 x 732 px right of the frame's 128 px bar) shows from the level's start
    // position. Once their delay is over the walkers cover 0.06 of the field a second: their first
    // seconds take them about 0.25 along, over the ground they stand on.
    const double reach = 0.25, ground = 0.03;
    const std::map<std::string, Node> defs = Definitions();
    for (const auto& entry : LevelPack("Levels\\levelpack.xml")) {
        SCOPED_TRACE(entry.first);
        const Node level = LoadXml(entry.second);
        ASSERT_TRUE(level);
        if (!HasAttr(level, "Help"))
            continue;
        Box lane{1e9, 1e9, -1e9, -1e9};
        for (const auto& o : Children(Child(Child(level, "World"), "GameObjects"))) {
            const auto def = defs.find(Attr(o, "Name"));
            if (def == defs.end() || Attr(def->second, "GameObjectType") != "RGGOT_ACTOR")
                continue;
            const Node at = Child(o, "Position"), half = Descendants(def->second, "HalfSize").front();
            const double x = NumAttr(at, "X"), y = NumAttr(at, "Y");
            lane = {std::min(lane.x0, x), std::min(lane.y0, y), std::max(lane.x1, x + 2 * NumAttr(half, "X")),
                    std::max(lane.y1, y + 2 * NumAttr(half, "Y"))};
        }
        ASSERT_LT(lane.x0, lane.x1) << "no walker";
        const double viewX = NumAttr(level, "PosX"), viewY = NumAttr(level, "PosY");
        const Box window{0.125 + (lane.x0 - reach - viewX) * 0.875, (lane.y0 - viewY) * 0.953125,
                         0.125 + (lane.x1 + reach - viewX) * 0.875, (lane.y1 + ground - viewY) * 0.953125};
        const std::vector<Speech> speeches = Speeches(Attr(level, "Help"));
        EXPECT_FALSE(speeches.empty());
        for (const Speech& s : speeches) {
            EXPECT_LE(s.speech.x1, 1.0);
            EXPECT_FALSE(s.teacher.Meets(window)) << "the teacher over the walkers";
            EXPECT_FALSE(s.speech.Meets(window)) << "\"" << s.text << "\" over the walkers";
        }
    }
}
