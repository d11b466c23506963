// The game on the shipped content: start-up (to the first loading-screen frame and to the end of
// loading), and one frame of a played level (update and draw) against a plain SDL2 + OpenGL
// program drawing the quads that frame drew (same rectangles, texture sizes, blending and
// filtering) on a shown window like the game's, the two taking turns frame by frame in one run.
// Needs a display (run under xvfb-run); the level frame should cost at most 1.5 times the plain
// one ("level_over_bare").

#include "engine/core/input/SInput.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/framework/app/WindowProc.h"
#include "game/app/kit/RGConfiguration.h"
#include "game/app/application/RunegardenGame.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/audio/RGSoundManager.h"
#include "game/gameplay/scripting/RGPythonStartup.h"
#include "game/gameplay/levels/RGLevelPacks.h"
#include "bench/support/BareQuadRenderer.h"
#include "bench/support/ShownWindow.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"
#include "platform/testing_input.h"
#include "platform/testing_render.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace pt = platform::testing;
using namespace Runegarden;
typedef std::chrono::steady_clock Clock;

namespace {

class BenchGame : public RunegardenGame {
public:
    using RunegardenGame::RunegardenGame;
    void DoDrawLoading() override
    {
        if (m_FirstLoadingFrame == Clock::time_point()) m_FirstLoadingFrame = Clock::now();
        RunegardenGame::DoDrawLoading();
    }
    void Step()
    {
        Update();
        DoRender();
    }
    Clock::time_point m_FirstLoadingFrame;
};

void Prepare()
{
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::string folder = "/tmp/bench-game-XXXXXX";
    if (mkdtemp(folder.data())) setenv("XDG_DOCUMENTS_DIR", folder.c_str(), 1);
    if (chdir(TARN_DATA_DIR) != 0) std::abort();
    StartPythonInterpreter();
    pt::SetRenderMode(pt::RenderMode::OpenGL);
    pt::HookMessageBox(true);
}

std::unique_ptr<BenchGame> StartGame()
{
    SCore::SXMLDeserializator reader(std::wstring(L"config.xml"));
    RGConfiguration configuration;
    configuration.Read(reader);
    std::unique_ptr<BenchGame> game(new BenchGame(false));
    RGLevelPacks::ApplyLevelMove(configuration.LevelMove);
    game->DoInit("D3D9Render");
    game->Create(configuration.AppName.c_str(), 1024, 768, 32, false, configuration.WideTexturePath());
    return game;
}

void Release(std::unique_ptr<BenchGame>& game)
{
    pt::SetSleepMode(pt::SleepMode::Return);
    game.reset();
    pt::SetSleepMode(pt::SleepMode::Real);
    gSoundManager.reset();
    gProfileManager.reset();
}

void BM_StartUp(benchmark::State& state)
{
    if (!platform::sdl::VideoAvailable()) {
        state.SkipWithError("no display");
        return;
    }
    Prepare();
    double firstFrame = 0, loaded = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        std::unique_ptr<BenchGame> game = StartGame();
        const Clock::time_point end = Clock::now();
        firstFrame += std::chrono::duration<double, std::milli>(game->m_FirstLoadingFrame - start).count();
        loaded += std::chrono::duration<double, std::milli>(end - start).count();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        Release(game);
    }
    state.counters["first_loading_frame_ms"] = firstFrame / double(state.iterations());
    state.counters["loading_done_ms"] = loaded / double(state.iterations());
}

// The area of the window the quads cover, in windows.
double WindowsOfPixels(const std::vector<pt::DrawnQuad>& quads)
{
    double pixels = 0;
    for (const pt::DrawnQuad& q : quads)
        pixels += std::max(0.0, std::min(1024.0, double(q.right)) - std::max(0.0, double(q.left))) *
                  std::max(0.0, std::min(768.0, double(q.bottom)) - std::max(0.0, double(q.top)));
    return pixels / (1024.0 * 768.0);
}

// Level frames and plain frames taken in turn, so that a change in the machine's load between
// them falls on both; the reported time is the level frame's.
void BM_LevelFrame(benchmark::State& state)
{
    if (!platform::sdl::VideoAvailable()) {
        state.SkipWithError("no display");
        return;
    }
    Prepare();
    std::unique_ptr<BenchGame> game = StartGame();
    // The plain program's own context on a shown window of the game's size, as the game's is; made
    // before the level, so that a change of focus it brings cannot pause the level.
    std::unique_ptr<bench::ShownWindow> window(new bench::ShownWindow("bare frame", 1024, 768));
    std::unique_ptr<bench::BareQuadRenderer> bare(new bench::BareQuadRenderer(window->Handle(), 1024, 768));
    pt::SetFakeTime(1000000);
    // Level 1 loaded through the loading mode, the start prompt cleared by a click.
    game->StartLevelLoading();
    auto frame = [&] {
        pt::AdvanceFakeTime(16);
        MSG msg;
        for (int i = 0; i < 64 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) DispatchMessageA(&msg);
        game->GetViewport()->m_Input->Update();
        game->Step();
    };
    pt::InjectMouseMove(600, 384);
    for (int i = 0; i < 200 && game->GetGameMode()->m_CurrentMode != RGGM_PLAY; ++i) frame();
    for (int i = 0; i < 40; ++i) frame();
    pt::InjectMouseButton(1, true);
    frame();
    pt::InjectMouseButton(1, false);
    for (int i = 0; i < 40; ++i) frame();
    pt::ClearRenderCalls();
    pt::RecordRenderCalls(true);
    frame();
    pt::RecordRenderCalls(false);
    const std::vector<pt::DrawnQuad> quads = pt::DrawnQuads();
    pt::ClearRenderCalls();
    bare->DrawFrame(quads); // makes the textures
    frame();
    double level = 0, plain = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        frame();
        const Clock::time_point middle = Clock::now();
        bare->DrawFrame(quads);
        const Clock::time_point end = Clock::now();
        level += std::chrono::duration<double>(middle - start).count();
        plain += std::chrono::duration<double>(end - middle).count();
        state.SetIterationTime(std::chrono::duration<double>(middle - start).count());
    }
    if (game->GetGameMode()->m_CurrentMode != RGGM_PLAY || game->IsPaused())
        state.SkipWithError("the level was not being played");
    const double n = double(state.iterations());
    state.counters["quads"] = double(quads.size());
    state.counters["windows_of_pixels"] = WindowsOfPixels(quads);
    state.counters["level_ms"] = 1000.0 * level / n;
    state.counters["bare_ms"] = 1000.0 * plain / n;
    state.counters["level_over_bare"] = level / plain;
    bare.reset();
    window.reset();
    Release(game);
}

} // namespace

BENCHMARK(BM_StartUp)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LevelFrame)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_MAIN();
