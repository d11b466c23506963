// Gestures: one stroke classified (20 x 20 reduction and forward pass), one stroke inked end to
// end (clear, points joined into lines, painted rectangle, rows out), and the network's load.

#include "engine/core/render/dx9/SD3D9RenderDevice.h"
#include "engine/core/render/dx9/SD3D9Viewport.h"
#include "game/gameplay/gestures/GestureRecognizer.h"
#include "game/gameplay/gestures/Painter.h"
#include "platform/testing.h"
#include "platform/testing_render.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace Runegarden;

const std::wstring kNetwork = [] {
    const std::string path = TARN_DATA_DIR "/Res/nn.xml";
    return std::wstring(path.begin(), path.end());
}();

// A loop drawn at 20 Hz over a second, about a third of the screen large.
std::vector<std::pair<float, float>> CirclePoints()
{
    std::vector<std::pair<float, float>> points;
    for (int i = 0; i <= 20; ++i) {
        const double a = 6.283185307179586 * i / 20.0;
        points.emplace_back(static_cast<float>(0.5 + 0.12 * std::cos(a)),
                            static_cast<float>(0.5 + 0.16 * std::sin(a)));
    }
    return points;
}

// The game's painter on a headless device.
struct HeadlessPainter {
    HeadlessPainter()
    {
        platform::testing::SetRenderMode(platform::testing::RenderMode::Headless);
        window = platform::testing::CreateRenderTestWindow(320, 240);
        viewport.reset(new SCore::SD3D9Viewport);
        static_cast<SCore::SD3D9RenderDevice&>(*viewport->m_RenderDevice).Create(window, 800, 600, 0, false);
        painter.reset(new Painter(viewport));
    }
    ~HeadlessPainter()
    {
        painter.reset();
        viewport.reset();
        platform::testing::DestroyRenderTestWindow(window);
        platform::testing::ResetAll();
    }
    const RGStrokeGrid& Ink(const std::vector<std::pair<float, float>>& points)
    {
        painter->Clear();
        for (const auto& p : points) painter->Render(p.first, p.second);
        RGStrokeRect rect;
        return painter->GetStrokeGrid(rect);
    }

    HWND window;
    boost::shared_ptr<SCore::SD3D9Viewport> viewport;
    boost::shared_ptr<Painter> painter;
};

void BM_ClassifyStroke(benchmark::State& state)
{
    const GestureRecognizer recognizer(kNetwork);
    HeadlessPainter canvas;
    const RGStrokeGrid rows = canvas.Ink(CirclePoints());
    for (auto _ : state) benchmark::DoNotOptimize(recognizer.Recognize(rows));
}
BENCHMARK(BM_ClassifyStroke);

void BM_InkStroke(benchmark::State& state)
{
    HeadlessPainter canvas;
    const auto points = CirclePoints();
    for (auto _ : state) benchmark::DoNotOptimize(canvas.Ink(points).size());
}
BENCHMARK(BM_InkStroke);

void BM_LoadNetwork(benchmark::State& state)
{
    for (auto _ : state) {
        GestureRecognizer recognizer(kNetwork);
        benchmark::DoNotOptimize(recognizer.GetNetwork().get());
    }
}
BENCHMARK(BM_LoadNetwork)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
