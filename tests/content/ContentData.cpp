#include "tests/content/ContentData.h"

#include "engine/core/xml/XMLParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace content {

namespace fs = std::filesystem;

std::string DataPath(const std::string& gamePath)
{
    std::string rel = gamePath;
    std::replace(rel.begin(), rel.end(), '\\', '/');
    return std::string(TARN_DATA_DIR) + "/" + rel;
}

bool Exists(const std::string& gamePath)
{
    return fs::is_regular_file(DataPath(gamePath));
}

std::string ReadBytes(const std::string& gamePath)
{
    std::ifstream in(DataPath(gamePath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> AllDataFiles()
{
    std::vector<std::string> out;
    const fs::path root(TARN_DATA_DIR);
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) {
            out.push_back(fs::relative(entry.path(), root).generic_string());
            std::replace(out.back().begin(), out.back().end(), '/', '\\');
        }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> XmlFiles()
{
    std::vector<std::string> out;
    for (const auto& f : AllDataFiles())
        if (f.size() > 4 && f.compare(f.size() - 4, 4, ".xml") == 0)
            out.push_back(f);
    return out;
}

Node LoadXml(const std::string& gamePath)
{
    if (!Exists(gamePath)) {
        ADD_FAILURE() << gamePath << ": missing";
        return Node();
    }
    SCore::SXML::XMLParser parser;
    try {
        parser.Parse(ReadBytes(gamePath));
    } catch (const std::exception& e) {
        ADD_FAILURE() << gamePath << ": " << e.what();
        return Node();
    }
    const Node root = parser.GetRoot();
    if (!root || root->m_Children.size() != 1) {
        ADD_FAILURE() << gamePath << ": expected one document element";
        return Node();
    }
    return root->m_Children.front();
}

bool HasAttr(const Node& node, const std::string& name)
{
    return std::any_of(node->m_Attributes.begin(), node->m_Attributes.end(),
                       [&](const auto& a) { return a->m_Name == name; });
}

std::string Attr(const Node& node, const std::string& name)
{
    for (const auto& a : node->m_Attributes)
        if (a->m_Name == name)
            return a->m_Value;
    ADD_FAILURE() << "<" << node->m_Name << "> lacks attribute " << name;
    return "";
}

double NumAttr(const Node& node, const std::string& name)
{
    const std::string text = Attr(node, name);
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    EXPECT_TRUE(!text.empty() && end && *end == '\0')
        << "<" << node->m_Name << " " << name << "=\"" << text << "\"> is not a plain number";
    return v;
}

std::vector<Node> Children(const Node& node, const std::string& name)
{
    std::vector<Node> out;
    if (!node)
        return out;
    for (const auto& c : node->m_Children)
        if (name.empty() || c->m_Name == name)
            out.push_back(c);
    return out;
}

Node Child(const Node& node, const std::string& name)
{
    const std::vector<Node> found = Children(node, name);
    if (found.empty()) {
        ADD_FAILURE() << "no <" << name << "> below " << (node ? "<" + node->m_Name + ">" : "a missing element");
        return Node();
    }
    return found.front();
}

std::vector<Node> Descendants(const Node& node, const std::string& name)
{
    std::vector<Node> out;
    if (!node)
        return out;
    if (name.empty() || node->m_Name == name)
        out.push_back(node);
    for (const auto& c : node->m_Children) {
        const std::vector<Node> below = Descendants(c, name);
        out.insert(out.end(), below.begin(), below.end());
    }
    return out;
}

ImageSize PngSize(const std::string& gamePath)
{
    ImageSize size;
    const std::string b = ReadBytes(gamePath);
    if (b.size() < 33 || b.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || b.compare(12, 4, "IHDR") != 0)
        return size;
    const auto be32 = [&](std::size_t at) { return __builtin_bswap32(Le32(b, at)); };
    size.width = be32(16);
    size.height = be32(20);
    size.colourType = static_cast<unsigned char>(b[25]);
    return size;
}

platform::image::Picture Texels(const std::string& gamePath)
{
    const std::string b = ReadBytes(gamePath);
    platform::image::DecodedImage image;
    const HRESULT hr = platform::image::DecodeImage(reinterpret_cast<const uint8_t*>(b.data()), b.size(), &image);
    EXPECT_TRUE(hr == S_OK && !image.levels.empty()) << gamePath << " cannot be decoded";
    return hr == S_OK && !image.levels.empty() ? image.levels[0] : platform::image::Picture();
}

unsigned Le16(const std::string& b, std::size_t at)
{
    return unsigned(static_cast<unsigned char>(b[at])) | (unsigned(static_cast<unsigned char>(b[at + 1])) << 8);
}

unsigned Le32(const std::string& b, std::size_t at)
{
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

std::map<std::string, std::string> TextureList()
{
    std::map<std::string, std::string> out;
    const Node list = LoadXml("Res\\textures.xml");
    for (const auto& t : Children(list))
        out[Attr(t, "Name")] = Attr(t, "Path");
    return out;
}

std::map<std::string, Node> Definitions()
{
    std::map<std::string, Node> out;
    const Node world = LoadXml("gameobjects\\earthworldNEW.xml");
    if (!world)
        return out;
    const std::string dir = Attr(world, "directory");
    for (const auto& o : Children(world)) {
        const std::string file = dir + "\\" + Attr(o, "file");
        if (const Node def = LoadXml(file))
            out[Attr(def, "Name")] = def;
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> LevelPack(const std::string& gamePath)
{
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& l : Children(LoadXml(gamePath)))
        out.emplace_back(Attr(l, "Name"), Attr(l, "Path"));
    return out;
}

std::vector<std::pair<std::string, std::string>> AllLevels()
{
    auto levels = LevelPack("Levels\\levelpack.xml");
    const auto bonus = LevelPack("Levels\\bonuslevelpack.xml");
    levels.insert(levels.end(), bonus.begin(), bonus.end());
    return levels;
}

std::vector<std::string> TrainerFiles()
{
    std::vector<std::string> files = {"Levels\\map_trainer_1.xml", "Levels\\map_trainer_2.xml",
                                      "Levels\\score_trainer.xml"};
    for (const auto& entry : AllLevels())
        if (const Node level = LoadXml(entry.second))
            if (HasAttr(level, "Help"))
                files.push_back(Attr(level, "Help"));
    return files;
}

const std::map<std::string, std::string>& RegisteredSounds()
{
    static const std::map<std::string, std::string> sounds = {
        {"Collide", "sounds\\collide.wav"},   {"Magic", "sounds\\magic.wav"},
        {"TeleCreate", "sounds\\telep_create.wav"}, {"TeleGo", "sounds\\tele_go.wav"},
        {"BridgeDown", "sounds\\bridgedown.wav"}, {"Step", "sounds\\step.wav"},
        {"Portal", "sounds\\portal.wav"},     {"RecErr", "sounds\\rec_err.wav"},
        {"Click", "sounds\\click.wav"},       {"Focus", "sounds\\focus.wav"},
        {"Fountain", "sounds\\fountain.wav"}, {"Kill", "sounds\\kill.wav"},
        {"Switch", "sounds\\switch.wav"},     {"Wind", "sounds\\wind.wav"},
        {"Gate", "sounds\\gate.wav"},         {"Spring", "sounds\\spring.wav"},
        {"Funnel", "sounds\\funnel.wav"},     {"Tooth", "sounds\\tooth.wav"},
        {"Score", "sounds\\score.wav"},
    };
    return sounds;
}

} // namespace content
