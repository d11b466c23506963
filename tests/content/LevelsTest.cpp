// Object definitions, level packs and levels: the structure the factory, the world and the
// scripts rely on, checked from the files alone. Building each level with the real script
// module and stepping its world belongs to the gameplay tests.
#include "tests/content/ContentData.h"

#include <gtest/gtest.h>

using namespace content;

namespace {

const std::set<std::string> kToolTypes = {"RGTT_WALL", "RGTT_BRIDGE", "RGTT_WINDRIGHT", "RGTT_WINDLEFT",
                                          "RGTT_TELEPORT"};

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

// The value of a named <Attributes> entry of a definition or placed object; "" when absent.
std::string NamedAttribute(const Node& object, const std::string& name)
{
    for (const auto& attrs : Children(object, "Attributes"))
        for (const auto& a : Children(attrs))
            if (Attr(a, "Name") == name)
                return Attr(a, "Value");
    return "";
}

void CheckZeroZ(const Node& node)
{
    for (const auto& n : Descendants(node))
        if ((n->m_Name == "Position" || n->m_Name == "HalfSize" || n->m_Name == "Velocity") && HasAttr(n, "Z")) {
            EXPECT_EQ("0", Attr(n, "Z")) << "<" << n->m_Name << ">";
        }
}

struct Level {
    std::string path;
    Node root, objects, background, tools;
};

std::vector<Level> Levels()
{
    std::vector<Level> out;
    for (const auto& entry : AllLevels()) {
        Level l{entry.second, LoadXml(entry.second), Node(), Node(), Node()};
        const Node world = Child(l.root, "World");
        l.objects = Child(world, "GameObjects");
        l.background = Child(world, "BackGround");
        l.tools = Child(l.root, "Tools");
        if (l.objects && l.background && l.tools)
            out.push_back(l);
    }
    return out;
}

std::string TypeOf(const std::map<std::string, Node>& defs, const std::string& name)
{
    const auto def = defs.find(name);
    return def == defs.end() ? "" : Attr(def->second, "GameObjectType");
}

} // namespace

TEST(ContentObjects, DefinitionsAreUniqueTypedAndShaped)
{
    const Node world = LoadXml("gameobjects\\earthworldNEW.xml");
    ASSERT_TRUE(world);
    std::map<std::string, int> names;
    for (const auto& o : Children(world))
        if (const Node def = LoadXml(Attr(world, "directory") + "\\" + Attr(o, "file"))) {
            EXPECT_EQ(1, ++names[Attr(def, "Name")]) << Attr(def, "Name") << " is defined twice";
        }

    for (const auto& d : Definitions()) {
        SCOPED_TRACE(d.first);
        const std::string type = Attr(d.second, "GameObjectType");
        EXPECT_TRUE(kObjectTypes.count(type)) << type;
        for (const char* part : {"Tile", "States", "Attributes"})
            ASSERT_EQ(1u, Children(d.second, part).size()) << part;
        EXPECT_EQ("0", Attr(Child(d.second, "Tile"), "GeomType"));
        CheckZeroZ(d.second);
        // The script names states idle / walk / fall: walkers are in walk or fall, the rest idle.
        if (type == "RGGOT_ACTOR" || type == "RGGOT_MONSTR")
            EXPECT_EQ((std::set<std::string>{"walk", "fall"}), StateNames(d.second));
        else
            EXPECT_EQ((std::set<std::string>{"idle"}), StateNames(d.second));
    }
    const std::map<std::string, Node> defs = Definitions();
    for (const char* actor : kActorNames)
        EXPECT_EQ("RGGOT_ACTOR", TypeOf(defs, actor)) << actor;
}

TEST(ContentObjects, SpritesAreTransformedTopLeftAndAnimateTheirOwnTexture)
{
    for (const auto& d : Definitions()) {
        SCOPED_TRACE(d.first);
        const auto sprites = Descendants(d.second, "Sprite");
        for (const auto& sprite : sprites) {
            EXPECT_EQ("1", Attr(sprite, "WithTransform"));
            EXPECT_EQ("1", Attr(sprite, "CoordAligment"));
        }
        for (const auto& textures : Descendants(d.second, "Textures")) {
            const auto animations = Children(textures, "Animation");
            EXPECT_LE(animations.size(), 1u);
            for (const auto& anim : animations) {
                EXPECT_EQ(Attr(textures, "Texture1"), Attr(anim, "TextureName"));
                if (Attr(anim, "Type") == "FRAME") {
                    EXPECT_GT(NumAttr(anim, "FrameHorizontal"), 0.0);
                    EXPECT_GT(NumAttr(anim, "FrameVertical"), 0.0);
                } else {
                    EXPECT_EQ("FLOATING", Attr(anim, "Type"));
                    EXPECT_TRUE(HasAttr(anim, "Style") && HasAttr(anim, "Step"));
                }
            }
        }
        // A group is drawn through its members.
        EXPECT_EQ(Attr(d.second, "GameObjectType") == "RGGOT_GROUP", sprites.empty());
    }
}

TEST(ContentLevels, HeadersKeepTheViewInsideTheFieldAndBackgroundsAreTransformedSprites)
{
    const auto levels = Levels();
    EXPECT_EQ(AllLevels().size(), levels.size());
    for (const auto& l : levels) {
        SCOPED_TRACE(l.path);
        for (const char* axis : {"X", "Y"}) {
            const double size = NumAttr(l.root, std::string("Size") + axis), pos = NumAttr(l.root, std::string("Pos") + axis);
            EXPECT_GE(size, 1.0) << axis;
            EXPECT_TRUE(pos >= 0.0 && pos <= size - 1.0) << axis << " " << pos;
        }
        EXPECT_GT(NumAttr(l.root, "PlayTime"), 0.0);
        EXPECT_FALSE(Attr(l.root, "ShowName").empty());
        EXPECT_EQ(1u, Children(l.root, "World").size());
        EXPECT_EQ(2u, Children(Child(l.root, "World"), "GameObjects").size() + Children(Child(l.root, "World"), "BackGround").size());
        CheckZeroZ(l.root);
        EXPECT_FALSE(Children(l.background).empty());
        for (const auto& item : Children(l.background)) {
            ASSERT_EQ(1u, Children(item, "Sprite").size());
            EXPECT_EQ("1", Attr(Child(item, "Sprite"), "WithTransform"));
        }
    }
}

TEST(ContentLevels, EveryActorIsThereWithThePlayTimeAsLimit)
{
    const std::map<std::string, Node> defs = Definitions();
    for (const auto& l : Levels()) {
        SCOPED_TRACE(l.path);
        std::set<std::string> actors;
        for (const auto& o : Children(l.objects)) {
            if (TypeOf(defs, Attr(o, "Name")) != "RGGOT_ACTOR")
                continue;
            actors.insert(Attr(o, "Name"));
            EXPECT_EQ(Attr(l.root, "PlayTime"), NamedAttribute(o, "time_limit")) << Attr(o, "Name");
        }
        for (const char* actor : kActorNames)
            EXPECT_TRUE(actors.count(actor)) << actor << " missing";
    }
}

TEST(ContentLevels, EveryOfferedToolHasPoolObjectsOfItsType)
{
    // The script places pre-placed, disabled pool objects: without one a cast does nothing.
    const std::map<std::string, Node> defs = Definitions();
    for (const auto& l : Levels()) {
        SCOPED_TRACE(l.path);
        std::map<std::string, int> poolByType;
        for (const auto& o : Children(l.objects)) {
            const auto def = defs.find(Attr(o, "Name"));
            if (def != defs.end() && NamedAttribute(def->second, "is_spell") == "1") {
                EXPECT_EQ("0", Attr(def->second, "IsEnable")) << def->first << " must start disabled";
                ++poolByType[Attr(def->second, "GameObjectType")];
            }
        }
        std::set<std::string> tools;
        for (const auto& tool : Children(l.tools)) {
            const std::string type = Attr(tool, "ToolType");
            EXPECT_TRUE(kToolTypes.count(type)) << type;
            EXPECT_TRUE(tools.insert(type).second) << type << " offered twice";
            const std::string object = Attr(tool, "GameObject");
            EXPECT_EQ("RGGOT_" + type.substr(5), object);
            EXPECT_GE(poolByType[object], 1) << "no pool object for " << type;
        }
        EXPECT_FALSE(tools.empty());
    }
}

TEST(ContentLevels, GroupsTakeTheirBoxFromMembersThatShareTheirStates)
{
    const std::map<std::string, Node> defs = Definitions();
    int groups = 0;
    for (const auto& l : Levels()) {
        SCOPED_TRACE(l.path);
        for (const auto& n : Descendants(l.objects, "GameObject")) {
            if (TypeOf(defs, Attr(n, "Name")) != "RGGOT_GROUP")
                continue;
            ++groups;
            EXPECT_TRUE(Children(n, "Position").empty() && Children(n, "HalfSize").empty());
            const auto members = Children(n, "GameObject");
            EXPECT_FALSE(members.empty());
            for (const auto& m : members) {
                const std::set<std::string> memberStates = StateNames(defs.at(Attr(m, "Name")));
                for (const auto& s : StateNames(defs.at(Attr(n, "Name"))))
                    EXPECT_TRUE(memberStates.count(s)) << Attr(m, "Name") << " lacks state " << s;
            }
        }
    }
    EXPECT_GT(groups, 0);
}
