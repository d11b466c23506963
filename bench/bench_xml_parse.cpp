// XML parsing on the shapes of the game's files, against pugixml's minimal parse (no entity,
// end-of-line or whitespace processing) of the same bytes. Inputs are generated here,
// deterministically: a level, a game-object definition, users.xml as the game writes it, a larger
// synthetic users file, and a 400-32-5 gesture network whose layers are long element texts of
// numbers. Model prices the node model alone: the tree the parser makes of a file, made again in
// one arena with every link the parser sets, and torn down, without scanning a byte; no parse of
// that file can cost less, and the parse should cost at most 1.4 times it. The three run
// interleaved in one loop, so that each sees the same machine load.

#include "engine/core/xml/XMLArena.h"
#include "engine/core/xml/XMLParser.h"
#include "bench/support/SideTimes.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// A fixed linear congruential sequence, so every run parses the same bytes.
struct Numbers {
    uint32_t state = 12345;
    uint32_t Next() { return state = state * 1664525u + 1013904223u; }
    std::string Float()
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", (int32_t(Next()) / 2147483648.0) * 3.0);
        return text;
    }
};

std::string Vector(const char* name, Numbers& n, const char* pad)
{
    return std::string(pad) + "<" + name + " X=\"" + n.Float() + "\" Y=\"" + n.Float() + "\" Z=\"0\"></" +
           name + ">\r\n";
}

std::string Sprite(Numbers& n, const std::string& pad)
{
    std::string s = pad + "<Sprite ColorLU=\"4294967295\" ColorRU=\"4294967295\" ColorLD=\"4294967295\""
                          " ColorRD=\"4294967295\" Angle=\"0\" CoordAligment=\"1\" WithTransform=\"1\""
                          " FlipHorizontal=\"0\" FlipVertical=\"0\" XScaleFactor=\"1\" YScaleFactor=\"1\">\r\n";
    s += pad + "  <Position X=\"" + n.Float() + "\" Y=\"" + n.Float() + "\" Width=\"0.06\" Height=\"0.12\"></Position>\r\n";
    s += pad + "  <TexCoords X=\"0\" Y=\"0\" Width=\"1\" Height=\"1\"></TexCoords>\r\n";
    s += pad + "  <Mesh Name=\"mesh\">\r\n";
    s += pad + "    <Material CullMode=\"1\" FillMode=\"3\" AlphaBlend=\"1\" SrcBlend=\"5\" DstBlend=\"6\""
               " ZWrite=\"0\" Lighting=\"0\" IsFogEnable=\"0\">\r\n";
    s += pad + "      <Textures Texture1=\"OBJ_TEXTURE\">\r\n";
    s += pad + "        <Filtration1 IsBilinear=\"1\" IsTrilinear=\"0\" IsAnisotropic=\"0\"></Filtration1>\r\n";
    s += pad + "        <Animation Name=\"walk\" Type=\"FRAME\" TextureName=\"OBJ_TEXTURE\" FrameHorizontal=\"4\""
               " FrameVertical=\"1\" AnimationSpeed=\"8\" Inverse=\"0\">\r\n";
    s += pad + "          <Indent X=\"0\" Y=\"0\" Width=\"1\" Height=\"1\"></Indent>\r\n";
    s += pad + "        </Animation>\r\n" + pad + "      </Textures>\r\n" + pad + "    </Material>\r\n";
    s += pad + "  </Mesh>\r\n" + pad + "</Sprite>\r\n";
    return s;
}

std::string GameObjectDefinition()
{
    Numbers n;
    std::string s = "<GameObject Name=\"Balychahl\" IsEnable=\"1\" GravityAction=\"1\" "
                    "GameObjectType=\"RGGOT_ACTOR\" RenderOrder=\"50\">\r\n";
    s += "  <Tile ID=\"0\" GeomType=\"0\">\r\n" + Vector("HalfSize", n, "    ");
    s += "    <Body ID=\"0\" Mass=\"1\">\r\n" + Vector("Position", n, "      ") + Vector("Velocity", n, "      ");
    s += "    </Body>\r\n  </Tile>\r\n  <States>\r\n";
    const char* states[] = {"walk", "fall", "stand", "jump", "die", "win"};
    for (const char* state : states)
        s += std::string("    <State Name=\"") + state + "\">\r\n" + Sprite(n, "      ") + "    </State>\r\n";
    s += "  </States>\r\n  <Attributes>\r\n";
    for (int i = 0; i < 8; ++i)
        s += "    <Attribute Name=\"a" + std::to_string(i) + "\" Value=\"" + n.Float() +
             "\" Type=\"Double\"></Attribute>\r\n";
    return s + "  </Attributes>\r\n</GameObject>";
}

std::string Level()
{
    Numbers n;
    std::string s = "<?xml version=\"1.0\" encoding=\"us-ascii\"?>\r\n"
                    "<Level Name=\"level1\" ShowName=\"1-1\" SizeX=\"2\" SizeY=\"1\" PosX=\"0\" PosY=\"0\""
                    " PlayTime=\"120\" Sun=\"1\" Help=\"Levels\\level1_help.xml\">\r\n  <Tools>\r\n";
    s += "    <Tool ToolType=\"RGTT_WALL\" GameObject=\"RGGOT_WALL\"></Tool>\r\n";
    s += "    <Tool ToolType=\"RGTT_BRIDGE\" GameObject=\"RGGOT_BRIDGE\"></Tool>\r\n";
    s += "  </Tools>\r\n  <World>\r\n    <GameObjects>\r\n";
    for (int i = 0; i < 60; ++i)
        s += "      <GameObject Name=\"Object" + std::to_string(i) + "\">\r\n" + Vector("Position", n, "        ") +
             Vector("HalfSize", n, "        ") + "      </GameObject>\r\n";
    s += "    </GameObjects>\r\n    <BackGround>\r\n";
    for (int i = 0; i < 4; ++i)
        s += "      <Item TimeDelay=\"2\">\r\n" + Sprite(n, "        ") + "      </Item>\r\n";
    return s + "    </BackGround>\r\n  </World>\r\n</Level>";
}

// users.xml as the profile manager writes it: profiles with their trophies and bonus levels,
// the settings, and the high-score table.
std::string Users()
{
    Numbers n;
    std::string s = "<Users>\r\n  <Userprofiles Current=\"Player3\" MusicVolume=\"0.8\" SoundVolume=\"0.9\""
                    " IsFullScreen=\"1\">\r\n";
    for (int i = 0; i < 8; ++i) {
        s += "    <Userprofile Name=\"Player" + std::to_string(i) + "\" Score=\"" + std::to_string(n.Next() % 100000) +
             "\" Lifes=\"3\" Level=\"level" + std::to_string(i + 3) + "\" LevelShowName=\"2-" +
             std::to_string(i + 1) + "\" BonusLevel=\"bonus1\" BonusLevelShowName=\"Bonus 1\">\r\n      <Trophies>\r\n";
        for (int t = 0; t < 30; ++t)
            if (n.Next() % 2) s += "        <Trophy Id=\"" + std::to_string(t) + "\"></Trophy>\r\n";
        s += "      </Trophies>\r\n      <DoneBonusLevels>\r\n";
        for (int b = 0; b < 3; ++b) s += "        <BonusLevel Id=\"" + std::to_string(b) + "\"></BonusLevel>\r\n";
        s += "      </DoneBonusLevels>\r\n    </Userprofile>\r\n";
    }
    s += "  </Userprofiles>\r\n  <HighScore>\r\n";
    for (int i = 0; i < 10; ++i)
        s += "    <Score Name=\"Player" + std::to_string(i) + "\" Level=\"2-" + std::to_string(i % 8 + 1) +
             "\" BestScore=\"" + std::to_string(n.Next() % 100000) + "\"></Score>\r\n";
    return s + "  </HighScore>\r\n</Users>";
}

// A larger file of the same kind of nesting, with more attributes per element.
std::string SyntheticUsers()
{
    Numbers n;
    std::string s = "<Users Current=\"3\" MusicVolume=\"80\" SoundVolume=\"90\" FullScreen=\"1\">\r\n";
    for (int i = 0; i < 20; ++i) {
        s += "  <User Name=\"Player" + std::to_string(i) + "\" Score=\"" + std::to_string(n.Next() % 100000) +
             "\" Lifes=\"3\" Level=\"7\" BonusLevel=\"1\">\r\n    <Trophies>\r\n";
        for (int t = 0; t < 30; ++t)
            s += "      <Trophy ID=\"" + std::to_string(t) + "\" Got=\"" + std::to_string(n.Next() % 2) +
                 "\"></Trophy>\r\n";
        s += "    </Trophies>\r\n  </User>\r\n";
    }
    s += "  <HighScores>\r\n";
    for (int i = 0; i < 10; ++i)
        s += "    <Score Name=\"Player" + std::to_string(i) + "\" Value=\"" + std::to_string(n.Next() % 100000) +
             "\"></Score>\r\n";
    return s + "  </HighScores>\r\n</Users>";
}

std::string NumberList(Numbers& n, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i) {
        if (i) s += (i % 16 == 0) ? ",\r\n" : ",";
        s += n.Float();
    }
    return s;
}

std::string NeuroNet()
{
    Numbers n;
    std::string s = "<neuronet>\r\n<alpha>2</alpha>\r\n<beta>1</beta>\r\n<layers>\r\n";
    s += "<layer size=\"400\"></layer>\r\n";
    s += "<layer size=\"32\">" + NumberList(n, 401 * 32) + "</layer>\r\n";
    s += "<layer size=\"5\">" + NumberList(n, 33 * 5) + "</layer>\r\n</layers>\r\n";
    s += "<input_scale>" + NumberList(n, 800) + "</input_scale>\r\n";
    s += "<output_scale>1,0,1,0,1,0,1,0,1,0</output_scale>\r\n</neuronet>";
    return s;
}

const std::string& Input(int which)
{
    static const std::string inputs[] = {Level(), GameObjectDefinition(), Users(), SyntheticUsers(), NeuroNet()};
    return inputs[which];
}

using SCore::SXML::XMLArena;
using SCore::SXML::XMLAttribute;
using SCore::SXML::XMLNode;

boost::shared_ptr<XMLNode> Remake(XMLArena& arena, const XMLNode& from)
{
    boost::shared_ptr<XMLNode> node = arena.Make<XMLNode>(from.m_Name);
    node->m_Value = from.m_Value;
    node->m_Attributes.reserve(from.m_Attributes.size());
    for (const auto& attribute : from.m_Attributes) {
        node->m_Attributes.push_back(
            arena.Make<XMLAttribute>(attribute->m_Name, attribute->m_Value, boost::weak_ptr<XMLNode>()));
        node->m_Attributes.back()->m_Owner = node;
    }
    node->m_Children.reserve(from.m_Children.size());
    for (const auto& child : from.m_Children) {
        node->m_Children.push_back(Remake(arena, *child));
        node->m_Children.back()->m_Parent = node;
    }
    return node;
}

// Each side does this many files per turn, so that the clocks' own cost stays small.
const int kFilesPerTurn = 8;

void Parse(benchmark::State& state, int which)
{
    const std::string& text = Input(which);
    SCore::SXML::XMLParser model;
    model.Parse(text);
    const boost::shared_ptr<XMLNode> parsed = model.GetRoot();
    const auto tarn = [&] {
        for (int i = 0; i < kFilesPerTurn; ++i) {
            SCore::SXML::XMLParser parser;
            parser.Parse(text);
            benchmark::DoNotOptimize(parser.GetRoot().get());
        }
    };
    const auto remake = [&] {
        for (int i = 0; i < kFilesPerTurn; ++i) {
            XMLArena* arena = new XMLArena;
            boost::shared_ptr<XMLNode> root = Remake(*arena, *parsed);
            arena->Release();
            benchmark::DoNotOptimize(root.get());
        }
    };
    const auto pugi = [&] {
        for (int i = 0; i < kFilesPerTurn; ++i) {
            pugi::xml_document document;
            const pugi::xml_parse_result result = document.load_buffer(text.data(), text.size(), pugi::parse_minimal);
            if (!result) state.SkipWithError(result.description());
            benchmark::DoNotOptimize(document.first_child().internal_object());
        }
    };
    bench::SideTimes times({"parse", "model", "pugi"});
    for (auto _ : state) times.RunOnce({tarn, remake, pugi});
    times.Report(state, kFilesPerTurn);
    times.ReportRatio(state, 0, 1);
    times.ReportRatio(state, 0, 2);
    state.counters["file_bytes"] = double(text.size());
}

} // namespace

BENCHMARK_CAPTURE(Parse, level, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Parse, gameobject, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Parse, users, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Parse, users_synthetic, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Parse, neuronet_400_32_5, 4)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
