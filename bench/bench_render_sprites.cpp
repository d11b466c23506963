// Frames of N textured, alpha-blended screen sprites drawn through the engine's render device
// on the OpenGL backend, against a plain OpenGL program drawing the same quads. Needs a display
// (run under xvfb-run). Wall time follows the software rasteriser; the main thread's CPU time
// is the device's own cost, and should be no more than 1.3 times the plain program's.

#include "engine/core/render/SIndexBuffer.h"
#include "engine/core/render/SMaterial.h"
#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureLock.h"
#include "engine/core/render/SVertexBuffer.h"
#include "engine/core/render/TResourceLock.h"
#include "engine/core/render/dx9/SD3D9RenderDevice.h"
#include "engine/core/render/dx9/SD3D9Viewport.h"
#include "bench/support/BareQuadRenderer.h"
#include "bench/support/SideTimes.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/testing.h"
#include "platform/testing_render.h"
#include "platform/win32.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

const int kWidth = 800, kHeight = 600;
const float kSize = 32.0f;

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};

std::vector<float> Positions(int n)
{
    std::vector<float> p;
    for (int i = 0; i < n; ++i) {
        p.push_back(float((i * 37) % (kWidth - 32)));
        p.push_back(float((i * 53) % (kHeight - 32)));
    }
    return p;
}

// The engine's device and the bare program, each on a window of its own, draw alternate frames.
void Sprites(benchmark::State& state)
{
    if (!platform::sdl::VideoAvailable()) {
        state.SkipWithError("no display");
        return;
    }
    platform::testing::SetRenderMode(platform::testing::RenderMode::OpenGL);
    HWND engineWindow = platform::testing::CreateRenderTestWindow(kWidth, kHeight);
    HWND bareWindow = platform::testing::CreateRenderTestWindow(kWidth, kHeight);
    {
        SCore::SD3D9Viewport viewport;
        SCore::SRenderDevice& device = *viewport.m_RenderDevice;
        device.Create(engineWindow, kWidth, kHeight, 0, false);
        auto texture = viewport.DoCreateTexture("sprite");
        texture->DoCreateEx(64, 64, 1, D3DFMT_A8R8G8B8);
        {
            SCore::STextureLock lock(texture);
            uint32_t* texels = static_cast<uint32_t*>(lock.Locked().pBits);
            for (int i = 0; i < 64 * 64; ++i) texels[i] = 0x80FF8040;
        }
        SCore::SMaterial material;
        material.m_Texture1 = texture;
        material.m_AlphaBlend = 1;
        material.m_ZWrite = 0;
        std::vector<float> positions = Positions(int(state.range(0)));
        std::vector<boost::shared_ptr<SCore::SVertexBuffer>> sprites;
        for (size_t i = 0; i < positions.size(); i += 2) {
            auto vb = viewport.DoCreateVertexBuffer(4, sizeof(ScreenVertex), 324, D3DPT_TRIANGLESTRIP, 0);
            SCore::TResourceLock<SCore::SVertexBuffer> lock(vb);
            ScreenVertex* v = static_cast<ScreenVertex*>(lock.Data());
            float x = positions[i] - 0.5f, y = positions[i + 1] - 0.5f;
            v[0] = {x, y, 1, 1, 0xFFFFFFFF, 0, 0};
            v[1] = {x + kSize, y, 1, 1, 0xFFFFFFFF, 1, 0};
            v[2] = {x, y + kSize, 1, 1, 0xFFFFFFFF, 0, 1};
            v[3] = {x + kSize, y + kSize, 1, 1, 0xFFFFFFFF, 1, 1};
            sprites.push_back(vb);
        }
        bench::BareQuadRenderer bare(bareWindow, kWidth, kHeight);
        const auto engineFrame = [&] {
            device.DoClearScene(0, 0, 0);
            device.DoClearScene(1.0f);
            device.DoBeginScene();
            for (const auto& vb : sprites) {
                device.DoSetmaterial(material);
                device.DoBindVertexBuffer(vb);
                device.DoRender(vb, 0);
            }
            device.EndScene();
        };
        const auto bareFrame = [&] { bare.DrawFrame(positions.data(), int(positions.size() / 2), kSize); };
        bench::SideTimes times({"engine", "bare"});
        for (auto _ : state) times.RunOnce({engineFrame, bareFrame});
        times.Report(state);
        times.ReportRatio(state, 0, 1);
    }
    platform::testing::DestroyRenderTestWindow(bareWindow);
    platform::testing::DestroyRenderTestWindow(engineWindow);
}

// The device lock taken and left by the thread that holds it already, and uncontended.
void DeviceLock(benchmark::State& state)
{
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    if (state.range(0)) EnterCriticalSection(&section);
    for (auto _ : state) {
        EnterCriticalSection(&section);
        LeaveCriticalSection(&section);
    }
    if (state.range(0)) LeaveCriticalSection(&section);
    DeleteCriticalSection(&section);
}

} // namespace

BENCHMARK(Sprites)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DeviceLock)->ArgName("held")->Arg(0)->Arg(1);
BENCHMARK_MAIN();
