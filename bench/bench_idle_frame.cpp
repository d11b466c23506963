// The cost of one idle frame of the engine's run loop (one message peek, the update, clear,
// begin scene, end scene and present with nothing drawn) against a bare SDL2 + OpenGL loop doing
// the same clear and swap. Both run in one program on the same display; without a display the
// engine frame runs on the headless device and the bare loop is skipped.

#include "engine/framework/TarnApplication.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/testing.h"

#include <SDL.h>
#include <SDL_opengl.h>
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
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow("bare frame", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 640, 480,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        state.SkipWithError("no OpenGL context");
        if (window) SDL_DestroyWindow(window);
        return;
    }
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(0);
    for (auto _ : state) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClearDepth(1.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapWindow(window);
    }
    state.SetItemsProcessed(state.iterations());
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
}
BENCHMARK(BM_BareSdlGlFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
