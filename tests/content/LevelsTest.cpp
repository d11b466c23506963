// Object definitions, level packs and levels: the structure the factory, the world and the
// scripts rely on, checked from the files alone. Building each level with the real script
// module and stepping its world belongs to the gameplay tests.
#include "tests/content/ContentData.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace content;

namespace {

const std::map<std::string, std::string> kToolObjects = {
    {"RGTT_WALL", "RGGOT_WALL"}, {"RGTT_BRIDGE", "RGGOT_BRIDGE"},
    {"RGTT_WINDRIGHT", "RGGOT_WINDRIGHT"}, {"RGTT_WINDLEFT", "RGGOT_WINDLEFT"},
    {"RGTT_TELEPORT", "RGGOT_TELEPORT"}};

const std::set<std::string> kObjectTypes = {
    "RGGOT_SIMPLE", "RGGOT_ACTOR", "RGGOT_BRIDGE", "RGGOT_LIFT", "RGGOT_PORTAL", "RGGOT_TELEPORT",
    "RGGOT_WALL", "RGGOT_MONSTR", "RGGOT_OUTTELEPORT", "RGGOT_LETHAL", "RGGOT_GROUP",
    "RGGOT_WINDLEFT", "RGGOT_WINDRIGHT"};

const char* const kActorNames[] = {"Balychahl", "Chumbachukchul", "SnuPulnel"};

std::set<std::string> StateNames(const Node& def)
{
    std::set<std::string> out;
    for (const auto& states : Children(def, "States"))
        for (const auto& s : Children(states))
            out.insert(Attr(s, "Name"));
    return out;
}

std::string DefAttribute(const Node& def, const std::string& name)
{
    for (const auto& attrs : Children(def, "Attributes"))
        for (const auto& a : Children(attrs))
            if (Attr(a, "Name") == name)
                return Attr(a, "Value");
    return "";
}

std::vector<std::pair<std::string, std::string>> AllLevels()
{
    auto levels = LevelPack("Levels\\levelpack.xml");
    const auto bonus = LevelPack("Levels\\bonuslevelpack.xml");
    levels.insert(levels.end(), bonus.begin(), bonus.end());
    return levels;
}

void CheckZeroZ(const Node& node, const std::string& where)
{
    std::vector<Node> all;
    Walk(node, all);
    for (const auto& n : all) {
        if ((n->m_Name == "Position" || n->m_Name == "HalfSize" || n->m_Name == "Velocity") && HasAttr(n, "Z")) {
            EXPECT_EQ("0", Attr(n, "Z")) << where << " <" << n->m_Name << ">";
        }
    }
}

} // namespace

TEST(ContentObjects, DefinitionsAreUniqueAndTypedAndNameTheThreeActors)
{
    const Node world = LoadXml("gameobjects\\earthworldNEW.xml");
    ASSERT_TRUE(world);
    std::map<std::string, int> names;
    for (const auto& o : Children(world)) {
        const Node def = LoadXml(Attr(world, "directory") + "\\" + Attr(o, "file"));
        ASSERT_TRUE(def);
        ++names[Attr(def, "Name")];
    }
    for (const auto& n : names)
        EXPECT_EQ(1, n.second) << n.first << " is defined twice";
    EXPECT_EQ(17u, names.size());

    const std::map<std::string, Node> defs = Definitions();
    for (const char* actor : kActorNames) {
        ASSERT_TRUE(defs.count(actor)) << actor;
        EXPECT_EQ("RGGOT_ACTOR", Attr(defs.at(actor), "GameObjectType"));
    }
    std::set<std::string> typesDefined;
    for (const auto& d : defs) {
        SCOPED_TRACE(d.first);
        const std::string type = Attr(d.second, "GameObjectType");
        EXPECT_TRUE(kObjectTypes.count(type)) << type;
        typesDefined.insert(type);
        for (const auto& tile : Children(d.second, "Tile"))
            EXPECT_EQ("0", Attr(tile, "GeomType"));
        EXPECT_EQ(1u, Children(d.second, "Tile").size());
        EXPECT_EQ(1u, Children(d.second, "States").size());
        EXPECT_EQ(1u, Children(d.second, "Attributes").size());
        CheckZeroZ(d.second, d.first);
    }
    // The frame walls are the game's own RGGOT_SIMPLE objects; every other type is defined.
    for (const auto& t : kObjectTypes)
        EXPECT_TRUE(typesDefined.count(t)) << t;
}

TEST(ContentObjects, StatesHaveTheNamesTheScriptMapsTo)
{
    // The script names states idle / walk / fall: walkers are in walk or fall, the rest idle.
    for (const auto& d : Definitions()) {
        SCOPED_TRACE(d.first);
        const std::string type = Attr(d.second, "GameObjectType");
        const std::set<std::string> states = StateNames(d.second);
        if (type == "RGGOT_ACTOR" || type == "RGGOT_MONSTR")
            EXPECT_EQ((std::set<std::string>{"walk", "fall"}), states);
        else
            EXPECT_EQ((std::set<std::string>{"idle"}), states);
    }
}

TEST(ContentObjects, SpritesAreTransformedTopLeftAndAnimateTheirOwnTexture)
{
    for (const auto& d : Definitions()) {
        SCOPED_TRACE(d.first);
        std::vector<Node> all;
        Walk(d.second, all);
        int sprites = 0;
        for (const auto& n : all) {
            if (n->m_Name == "Sprite") {
                ++sprites;
                EXPECT_EQ("1", Attr(n, "WithTransform"));
                EXPECT_EQ("1", Attr(n, "CoordAligment"));
            }
            if (n->m_Name == "Textures") {
                for (const auto& anim : Children(n, "Animation")) {
                    EXPECT_EQ(Attr(n, "Texture1"), Attr(anim, "TextureName"));
                    const std::string type = Attr(anim, "Type");
                    if (type == "FRAME") {
                        EXPECT_GT(NumAttr(anim, "FrameHorizontal"), 0.0);
                        EXPECT_GT(NumAttr(anim, "FrameVertical"), 0.0);
                    } else {
                        EXPECT_EQ("FLOATING", type);
                        EXPECT_TRUE(HasAttr(anim, "Style") && HasAttr(anim, "Step"));
                    }
                }
                EXPECT_LE(Children(n, "Animation").size(), 1u);
            }
        }
        const std::string type = Attr(d.second, "GameObjectType");
        if (type == "RGGOT_GROUP")
            EXPECT_EQ(0, sprites) << "a group is drawn through its members";
        else
            EXPECT_GT(sprites, 0);
    }
}

TEST(ContentLevels, PacksNameExistingLevelsWhoseNamesMatch)
{
    const auto main = LevelPack("Levels\\levelpack.xml");
    const auto bonus = LevelPack("Levels\\bonuslevelpack.xml");
    EXPECT_EQ(4u, main.size());
    EXPECT_EQ(2u, bonus.size());
    EXPECT_LE(bonus.size(), 10u);
    std::set<std::string> names;
    for (const auto& entry : AllLevels()) {
        SCOPED_TRACE(entry.second);
        ASSERT_TRUE(Exists(entry.second)) << "level file missing";
        const Node level = LoadXml(entry.second);
        ASSERT_TRUE(level);
        EXPECT_EQ("Level", level->m_Name);
        EXPECT_EQ(entry.first, Attr(level, "Name"));
        EXPECT_TRUE(names.insert(entry.first).second) << "two levels named " << entry.first;
    }
}

TEST(ContentLevels, HeadersKeepTheViewInsideTheField)
{
    for (const auto& entry : AllLevels()) {
        SCOPED_TRACE(entry.second);
        const Node level = LoadXml(entry.second);
        ASSERT_TRUE(level);
        const double sizeX = NumAttr(level, "SizeX"), sizeY = NumAttr(level, "SizeY");
        EXPECT_GE(sizeX, 1.0);
        EXPECT_GE(sizeY, 1.0);
        EXPECT_GE(NumAttr(level, "PosX"), 0.0);
        EXPECT_LE(NumAttr(level, "PosX"), sizeX - 1.0);
        EXPECT_GE(NumAttr(level, "PosY"), 0.0);
        EXPECT_LE(NumAttr(level, "PosY"), sizeY - 1.0);
        EXPECT_GT(NumAttr(level, "PlayTime"), 0.0);
        EXPECT_FALSE(Attr(level, "ShowName").empty());
        if (HasAttr(level, "Help")) {
            EXPECT_TRUE(Exists(Attr(level, "Help"))) << Attr(level, "Help");
        }
        ASSERT_EQ(1u, Children(level, "World").size());
        const Node world = Children(level, "World").front();
        EXPECT_EQ(1u, Children(world, "GameObjects").size());
        EXPECT_EQ(1u, Children(world, "BackGround").size());
        CheckZeroZ(level, entry.second);
    }
}

TEST(ContentLevels, ObjectsAreDefinedAndEveryActorIsThereWithThePlayTimeAsLimit)
{
    const std::map<std::string, Node> defs = Definitions();
    for (const auto& entry : AllLevels()) {
        SCOPED_TRACE(entry.second);
        const Node level = LoadXml(entry.second);
        ASSERT_TRUE(level);
        const std::string playTime = Attr(level, "PlayTime");
        const Node objects = Children(Children(level, "World").front(), "GameObjects").front();
        std::vector<Node> all;
        Walk(objects, all);
        for (const auto& n : all) {
            if (n != objects && n->m_Name == "GameObject") {
                EXPECT_TRUE(defs.count(Attr(n, "Name"))) << "undefined object " << Attr(n, "Name");
            }
        }

        std::set<std::string> actors;
        for (const auto& o : Children(objects)) {
            const std::string name = Attr(o, "Name");
            if (!defs.count(name) || Attr(defs.at(name), "GameObjectType") != "RGGOT_ACTOR")
                continue;
            actors.insert(name);
            std::string limit;
            for (const auto& attrs : Children(o, "Attributes"))
                for (const auto& a : Children(attrs))
                    if (Attr(a, "Name") == "time_limit")
                        limit = Attr(a, "Value");
            EXPECT_EQ(playTime, limit) << name << " time_limit";
        }
        for (const char* actor : kActorNames)
            EXPECT_TRUE(actors.count(actor)) << actor << " missing";
    }
}

TEST(ContentLevels, EveryOfferedToolHasPoolObjectsOfItsType)
{
    // The script places pre-placed, disabled pool objects: without one a cast does nothing.
    const std::map<std::string, Node> defs = Definitions();
    for (const auto& entry : AllLevels()) {
        SCOPED_TRACE(entry.second);
        const Node level = LoadXml(entry.second);
        ASSERT_TRUE(level);
        std::map<std::string, int> poolByType;
        const Node objects = Children(Children(level, "World").front(), "GameObjects").front();
        for (const auto& o : Children(objects)) {
            const auto def = defs.find(Attr(o, "Name"));
            if (def != defs.end() && DefAttribute(def->second, "is_spell") == "1") {
                EXPECT_EQ("0", Attr(def->second, "IsEnable")) << def->first << " must start disabled";
                ++poolByType[Attr(def->second, "GameObjectType")];
            }
        }
        std::set<std::string> tools;
        for (const auto& tool : Children(Children(level, "Tools").front())) {
            const std::string type = Attr(tool, "ToolType");
            ASSERT_TRUE(kToolObjects.count(type)) << type;
            EXPECT_TRUE(tools.insert(type).second) << type << " offered twice";
            const std::string object = Attr(tool, "GameObject");
            EXPECT_TRUE(kObjectTypes.count(object)) << object;
            EXPECT_GE(poolByType[object], 1) << "no pool object for " << type;
        }
        EXPECT_FALSE(tools.empty());
    }
}

TEST(ContentLevels, GroupsTakeTheirBoxFromMembersThatShareTheirStates)
{
    const std::map<std::string, Node> defs = Definitions();
    int groups = 0;
    for (const auto& entry : AllLevels()) {
        const Node level = LoadXml(entry.second);
        std::vector<Node> all;
        Walk(level, all);
        for (const auto& n : all) {
            if (n->m_Name != "GameObject" || !defs.count(Attr(n, "Name")) ||
                Attr(defs.at(Attr(n, "Name")), "GameObjectType") != "RGGOT_GROUP")
                continue;
            ++groups;
            SCOPED_TRACE(entry.second);
            EXPECT_TRUE(Children(n, "Position").empty() && Children(n, "HalfSize").empty());
            const auto members = Children(n, "GameObject");
            EXPECT_FALSE(members.empty());
            const std::set<std::string> groupStates = StateNames(defs.at(Attr(n, "Name")));
            for (const auto& m : members) {
                const std::set<std::string> memberStates = StateNames(defs.at(Attr(m, "Name")));
                for (const auto& s : groupStates)
                    EXPECT_TRUE(memberStates.count(s)) << Attr(m, "Name") << " lacks state " << s;
            }
        }
    }
    EXPECT_GT(groups, 0);
}

TEST(ContentLevels, BackgroundItemsAreTransformedSprites)
{
    for (const auto& entry : AllLevels()) {
        SCOPED_TRACE(entry.second);
        const Node bg = Children(Children(LoadXml(entry.second), "World").front(), "BackGround").front();
        EXPECT_FALSE(Children(bg).empty());
        for (const auto& item : Children(bg)) {
            const auto sprites = Children(item, "Sprite");
            ASSERT_EQ(1u, sprites.size());
            EXPECT_EQ("1", Attr(sprites.front(), "WithTransform"));
        }
    }
}
