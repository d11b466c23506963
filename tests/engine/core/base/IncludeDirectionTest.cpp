// Includes run down the layers and, inside a layer, down its topic order; a layer's own root files
// (platform's interface headers, the game's main.cpp) stand outside the topic order. The orders
// here are the ones the README's layout states.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Layer {
    std::string folder;
    // Topics from the bottom up; topics in one entry (separated by spaces) share a rank.
    std::vector<std::string> topics;
};

const std::vector<Layer> kLayers = {
    {"platform/", {"posix", "sdl", "image", "audio", "d3d9 gl headless", "d3dx9"}},
    {"engine/core/", {"base", "math", "xml", "serialization", "input", "render"}},
    {"engine/framework/", {"threads", "drawables", "scene", "ui", "input", "app"}},
    {"game/audio/", {}},
    {"game/gameplay/", {"scripting", "services", "gestures", "objects", "world", "levels"}},
    {"game/app/", {"profiles", "kit", "play", "screens", "application"}},
    {"tools/", {"trainer"}},
};

struct Place {
    int layer = -1;
    int topic = -1; // -1: the layer's root; -2: a folder the order does not name
};

Place PlaceOf(const std::string& path)
{
    Place place;
    for (int l = 0; l < static_cast<int>(kLayers.size()); ++l) {
        const Layer& layer = kLayers[l];
        if (path.compare(0, layer.folder.size(), layer.folder) != 0) continue;
        place.layer = l;
        const size_t slash = path.find('/', layer.folder.size());
        if (slash == std::string::npos) return place;
        const std::string topic = " " + path.substr(layer.folder.size(), slash - layer.folder.size()) + " ";
        place.topic = -2;
        for (int t = 0; t < static_cast<int>(layer.topics.size()); ++t)
            if ((" " + layer.topics[t] + " ").find(topic) != std::string::npos) place.topic = t;
        return place;
    }
    return place;
}

bool RunsAgainstOrder(const std::string& from, const std::string& to)
{
    const Place a = PlaceOf(from), b = PlaceOf(to);
    if (a.layer != b.layer) return b.layer > a.layer;
    return a.topic >= 0 && b.topic > a.topic;
}

TEST(IncludeDirection, EveryIncludeRunsDownTheLayersAndTopics)
{
    const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<std::string> against, unplaced;
    size_t includes = 0;
    for (const char* folder : {"platform", "engine", "game", "tools"}) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(fs::path(TARN_SOURCE_DIR) / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h") continue;
            const std::string from = fs::relative(entry.path(), TARN_SOURCE_DIR).generic_string();
            if (PlaceOf(from).layer < 0 || PlaceOf(from).topic == -2) unplaced.push_back(from);
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                std::smatch match;
                if (!std::regex_search(line, match, include)) continue;
                ++includes;
                if (RunsAgainstOrder(from, match[1]))
                    against.push_back(from + ":" + std::to_string(number) + " includes " + match[1].str());
            }
        }
    }
    EXPECT_TRUE(against.empty()) << ::testing::PrintToString(against);
    EXPECT_TRUE(unplaced.empty()) << "files outside the orders: " << ::testing::PrintToString(unplaced);
    EXPECT_GT(includes, 1000u) << "the scan no longer finds the includes";
}

TEST(IncludeDirection, TheCheckTellsDownFromUp)
{
    EXPECT_FALSE(RunsAgainstOrder("engine/core/render/dx9/SD3D9Texture.cpp", "engine/core/base/SLoger.h"));
    EXPECT_FALSE(RunsAgainstOrder("game/app/main.cpp", "game/app/application/RGStartup.h"));
    EXPECT_FALSE(RunsAgainstOrder("platform/gl/GLBackend.cpp", "platform/d3d9/TextureData.h"));
    EXPECT_TRUE(RunsAgainstOrder("engine/core/serialization/SSerializator.h", "engine/core/render/STexture.h"));
    EXPECT_TRUE(RunsAgainstOrder("game/audio/RGSoundManager.h", "game/gameplay/world/RGWorld.h"));
    EXPECT_TRUE(RunsAgainstOrder("engine/core/math/SRect.h", "engine/framework/ui/SUIControl.h"));
}

} // namespace
