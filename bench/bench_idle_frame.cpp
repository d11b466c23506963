// The cost of one idle frame of the engine's run loop (one message peek, the update, clear,
// begin scene, end scene and present with nothing drawn) against a bare OpenGL program doing
// the same clear and swap on a shown window, as the engine's is. Both run in one program on the
// same display, frame about, in wall and main-thread CPU time; without a display the engine
// frame runs alone on the headless device.

#include "engine/framework/app/TarnApplication.h"
#include "bench/support/BareQuadRenderer.h"
#include "bench/support/ShownWindow.h"
#include "bench/support/SideTimes.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/testing.h"
#include "platform/testing_render.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class IdleApp : public TarnEngine::TarnApplication {
public:
    void DoLeftButtonDown() override {}
    void DoRightButtonDown() override {}
    void DoLeftButtonUp() override {}
    void DoRightButtonUp() override {}
    void DoUpdate() override {}
    void DoDraw() override {}
    void DoInitObjects() override {}
    void DoRestoreObjects() override {}
    void DoInvalidateObjects() override {}
    bool DoIsExit() override { return false; }
    void DoDrawLoading() override {}
    void DoCreateLoading() override {}
    void DoLoadProgress(unsigned int, unsigned int) override {}

    // One pass of the run loop's body.
    void Frame()
    {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Update();
        DoRender();
    }
};

std::wstring EmptyTextureList()
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "bench_idle_frame_textures.xml";
    std::ofstream(path) << "<Textures></Textures>";
    return path.wstring();
}

void BM_IdleFrame(benchmark::State& state)
{
    std::unique_ptr<IdleApp> app(new IdleApp);
    app->DoInit("D3D9Render");
    app->Create("idle frame", 640, 480, 32, false, EmptyTextureList());
    std::unique_ptr<bench::ShownWindow> window;
    std::unique_ptr<bench::BareQuadRenderer> bare;
    if (platform::sdl::VideoAvailable()) {
        window.reset(new bench::ShownWindow("bare frame", 640, 480));
        bare.reset(new bench::BareQuadRenderer(window->Handle(), 640, 480));
        if (!bare->Ready()) bare.reset();
    }
    std::vector<std::function<void()>> sides = {[&] { app->Frame(); }};
    if (bare) sides.push_back([&] { bare->DrawFrame(nullptr, 0, 0.0f); }); // the clear and the swap alone
    bench::SideTimes times(bare ? std::vector<std::string>{"engine", "bare"} : std::vector<std::string>{"engine"});
    for (auto _ : state) times.RunOnce(sides);
    times.Report(state);
    if (bare) times.ReportRatio(state, 0, 1);
    bare.reset();
    window.reset();
    // The frame's shutdown waits are not part of the measurement.
    platform::testing::SetSleepMode(platform::testing::SleepMode::Return);
    app.reset();
    platform::testing::SetSleepMode(platform::testing::SleepMode::Real);
}
BENCHMARK(BM_IdleFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
