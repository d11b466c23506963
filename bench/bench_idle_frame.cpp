// The cost of one idle frame of the engine's run loop (one message peek, the update, clear,
// begin scene, end scene and present with nothing drawn) against a bare OpenGL program doing
// the same clear and swap. Both run in one program on the same display; without a display the
// engine frame runs on the headless device and the bare loop is skipped. The bare loop runs on a
// hidden window and, as the engine's window is, on a shown one: there the display server also
// copies every frame to the screen.

#include "engine/framework/app/TarnApplication.h"
#include "bench/support/BareQuadRenderer.h"
#include "bench/support/ShownWindow.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/testing.h"
#include "platform/testing_render.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

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

void BM_EngineIdleFrame(benchmark::State& state)
{
    std::unique_ptr<IdleApp> app(new IdleApp);
    app->DoInit("D3D9Render");
    app->Create("idle frame", 640, 480, 32, false, EmptyTextureList());
    for (auto _ : state) app->Frame();
    state.SetItemsProcessed(state.iterations());
    // The frame's shutdown waits are not part of the measurement.
    platform::testing::SetSleepMode(platform::testing::SleepMode::Return);
    app.reset();
    platform::testing::SetSleepMode(platform::testing::SleepMode::Real);
}
BENCHMARK(BM_EngineIdleFrame)->Unit(benchmark::kMicrosecond);

void BM_BareSdlGlFrame(benchmark::State& state)
{
    if (!platform::sdl::VideoAvailable()) {
        state.SkipWithError("no display");
        return;
    }
    platform::testing::SetRenderMode(platform::testing::RenderMode::OpenGL);
    HWND window = platform::testing::CreateRenderTestWindow(640, 480);
    {
        bench::BareQuadRenderer bare(window, 640, 480);
        if (!bare.Ready()) state.SkipWithError("no OpenGL context");
        // No quads: the clear and the swap alone, as the idle engine frame does.
        if (bare.Ready())
            for (auto _ : state) bare.DrawFrame(nullptr, 0, 0.0f);
        state.SetItemsProcessed(state.iterations());
    }
    platform::testing::DestroyRenderTestWindow(window);
}
BENCHMARK(BM_BareSdlGlFrame)->Unit(benchmark::kMicrosecond);

void BM_BareSdlGlFrameShownWindow(benchmark::State& state)
{
    if (!platform::sdl::VideoAvailable()) {
        state.SkipWithError("no display");
        return;
    }
    platform::testing::SetRenderMode(platform::testing::RenderMode::OpenGL);
    bench::ShownWindow window("bare frame", 640, 480);
    bench::BareQuadRenderer bare(window.Handle(), 640, 480);
    if (!bare.Ready()) state.SkipWithError("no OpenGL context");
    if (bare.Ready())
        for (auto _ : state) bare.DrawFrame(nullptr, 0, 0.0f);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BareSdlGlFrameShownWindow)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
