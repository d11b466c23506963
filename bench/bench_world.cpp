// The world and the levels: one 10 ms world step for N game objects (walkers bouncing between
// walls on a floor, half dynamic, half static), and building the largest shipped level from its
// pack (reading, every object through the factory and its script, the background).

#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/dx9/SD3D9RenderDevice.h"
#include "engine/core/render/dx9/SD3D9Viewport.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/levels/RGLevelPack.h"
#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/objects/RGPYGameObject.h"
#include "game/gameplay/scripting/RGPythonStartup.h"
#include "game/gameplay/services/RGLocalizationFont.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "game/gameplay/world/RGWorld.h"
#include "platform/files.h"
#include "platform/testing.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace {

using namespace Runegarden;

// The shipped content on a headless device: every listed texture (blank), the game objects, the
// scripts and the localised font, with data/ as the working directory.
struct Content {
    Content()
    {
        platform::testing::SetRenderMode(platform::testing::RenderMode::Headless);
        window = platform::testing::CreateRenderTestWindow(320, 240);
        viewport.reset(new SCore::SD3D9Viewport);
        static_cast<SCore::SD3D9RenderDevice&>(*viewport->m_RenderDevice).Create(window, 800, 600, 0, false);
        viewport->m_TextureManager.reset(new SCore::STextureManager);
        std::ifstream list(TARN_DATA_DIR "/Res/textures.xml");
        std::stringstream text;
        text << list.rdbuf();
        const std::string names = text.str();
        const std::regex name("Name=\"([^\"]+)\"");
        for (std::sregex_iterator it(names.begin(), names.end(), name), end; it != end; ++it) {
            boost::shared_ptr<SCore::STexture> texture = viewport->DoCreateTexture((*it)[1]);
            texture->DoCreateEx(4, 4, 1, 21);
            viewport->m_TextureManager->AddTexture(texture);
        }
        RGSpriteCreator::SetViewport(viewport);
        StartPythonInterpreter(TARN_DATA_DIR "/scripts");
        if (::chdir(TARN_DATA_DIR) != 0) std::abort();
        RGPYFactory::LoadGameObjects(L"gameobjects\\earthworldNEW.xml");
        SCore::SXMLDeserializator config(L"config.xml");
        config.BeginChild("configuration");
        gLocalizationFont.Deserialize(config);
    }
    HWND window;
    boost::shared_ptr<SCore::SD3D9Viewport> viewport;
};

Content& Shipped()
{
    static Content content;
    return content;
}

boost::shared_ptr<RGPYGameObject> Place(RGWorld& world, const std::string& name, float x, float y, float w, float h)
{
    boost::shared_ptr<RGPYGameObject> object = RGPYFactory::Create(name);
    object->SetPosition({x, y, 0.0f});
    object->SetHalfSize({w, h, 0.0f});
    world.AddGameObject(object);
    return object;
}

void BM_WorldStep(benchmark::State& state)
{
    Shipped();
    const int n = int(state.range(0));
    RGWorld world;
    const float width = 0.2f * float(n / 2);
    Place(world, "Ground", 0.0f, 0.85f, width * 0.5f, 0.075f);
    for (int i = 0; i < n / 2 - 1; ++i) {
        Place(world, "Block", 0.2f * float(i) + 0.15f, 0.7f, 0.01f, 0.075f);
        Place(world, "Balychahl", 0.2f * float(i) + 0.05f, 0.73f, 0.03f, 0.06f);
    }
    Place(world, "Block", width - 0.02f, 0.0f, 0.01f, 0.5f);
    for (int i = 0; i < 100; ++i) world.Update(0.01f); // walkers land and start walking
    for (auto _ : state) world.Update(0.01f);
    state.SetLabel(std::to_string(world.GetDynamicObjects().size() + world.GetStaticObjects().size()) + " objects");
}
BENCHMARK(BM_WorldStep)->Arg(20)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_LoadLargestLevel(benchmark::State& state)
{
    Shipped();
    // The largest level file of both packs.
    std::string largest, pack;
    std::uintmax_t size = 0;
    for (const char* name : {"Levels\\levelpack.xml", "Levels\\bonuslevelpack.xml"}) {
        RGLevelPack levels;
        SCore::SXMLDeserializator in(WidenSigned(name));
        levels.DoDeserialize(in);
        for (unsigned i = 0; i < levels.GetLevelCount(); ++i) {
            const std::string level = levels.GetLevelName(i);
            // The shipped level files are named after their levels.
            for (const auto& entry : std::filesystem::directory_iterator("Levels")) {
                if (entry.path().stem() == level && entry.file_size() > size) {
                    size = entry.file_size();
                    largest = level;
                    pack = name;
                }
            }
        }
    }
    RGLevelPack levels;
    SCore::SXMLDeserializator in(WidenSigned(pack));
    levels.DoDeserialize(in);
    levels.SetCurrentLevel(largest);
    for (auto _ : state) benchmark::DoNotOptimize(levels.GetLevel().get());
    state.SetLabel(largest + ", " + std::to_string(size) + " bytes");
}
BENCHMARK(BM_LoadLargestLevel)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
