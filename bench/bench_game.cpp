// The game on the shipped content: start-up (to the first loading-screen frame and to the end of
// loading), and one frame of a played level (update and draw) against a plain SDL2 + OpenGL
// program drawing the quads that frame drew (same rectangles, texture sizes, blending and
// filtering), in one run. Needs a display (run under xvfb-run); the level frame should cost at
// most 1.5 times the plain one ("level_over_bare").

#include "engine/core/input/SInput.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/framework/app/WindowProc.h"
#include "game/app/application/RGConfiguration.h"
#include "game/app/application/RunegardenGame.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/audio/RGSoundManager.h"
#include "game/gameplay/scripting/RGPythonStartup.h"
#include "game/gameplay/services/RGLevelPacks.h"
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

// What the last measured level frame drew and cost; the plain program draws the same.
std::vector<pt::DrawnQuad> gLevelQuads;
double gLevelFrameMs = 0;

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

void BM_LevelFrame(benchmark::State& state)
{
    if (!platform::sdl::VideoAvailable()) {
        state.SkipWithError("no display");
        return;
    }
    Prepare();
    std::unique_ptr<BenchGame> game = StartGame();
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
    gLevelQuads = pt::DrawnQuads();
    pt::ClearRenderCalls();
    const Clock::time_point start = Clock::now();
    for (auto _ : state) frame();
    gLevelFrameMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count() / double(state.iterations());
    state.counters["quads"] = double(gLevelQuads.size());
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    Release(game);
}

void BM_BareFrame(benchmark::State& state)
{
    if (!platform::sdl::VideoAvailable() || gLevelQuads.empty()) {
        state.SkipWithError("no display, or no level frame measured");
        return;
    }
    // On a shown window, as the game's is, or on a hidden test window (no copy to the screen).
    std::unique_ptr<bench::ShownWindow> shown;
    HWND window;
    if (state.range(0)) {
        shown.reset(new bench::ShownWindow("bare frame", 1024, 768));
        window = shown->Handle();
    } else {
        window = pt::CreateRenderTestWindow(1024, 768);
    }
    {
        bench::BareQuadRenderer bare(window, 1024, 768);
        bare.DrawFrame(gLevelQuads); // makes the textures
        const Clock::time_point start = Clock::now();
        for (auto _ : state) bare.DrawFrame(gLevelQuads);
        const double bareMs =
            std::chrono::duration<double, std::milli>(Clock::now() - start).count() / double(state.iterations());
        double pixels = 0;
        for (const pt::DrawnQuad& q : gLevelQuads) // the part on the window
            pixels += std::max(0.0, std::min(1024.0, double(q.right)) - std::max(0.0, double(q.left))) *
                      std::max(0.0, std::min(768.0, double(q.bottom)) - std::max(0.0, double(q.top)));
        state.counters["quads"] = double(gLevelQuads.size());
        state.counters["screens_of_pixels"] = pixels / (1024.0 * 768.0);
        state.counters["level_over_bare"] = gLevelFrameMs / bareMs;
        state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    }
    if (!shown) pt::DestroyRenderTestWindow(window);
}

} // namespace

BENCHMARK(BM_StartUp)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LevelFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareFrame)->ArgName("shown_window")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
