// Gestures: one stroke classified (20 x 20 reduction and forward pass), one stroke inked end to
// end (clear, points joined into lines, painted rectangle, rows out), and the network's load.

#include "game/gameplay/GestureRecognizer.h"
#include "game/gameplay/RGStrokeRaster.h"

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

struct MemoryCanvas {
    static const INT kPitch = 256 * 4;
    std::vector<BYTE> bits = std::vector<BYTE>(256 * kPitch, 0);
    RGStrokeRaster raster;
    RGStrokeGrid rows;

    const RGStrokeGrid& Ink(const std::vector<std::pair<float, float>>& points)
    {
        raster.Clear(bits.data(), kPitch);
        raster.EndStroke();
        for (const auto& p : points) raster.AddPoint(p.first, p.second, bits.data(), kPitch);
        const RGStrokeRect rect = raster.EffectiveRectangle(bits.data(), kPitch);
        raster.CopyRows(bits.data() + rect.y * kPitch + rect.x * 4, kPitch, rect, rows);
        return rows;
    }
};

void BM_ClassifyStroke(benchmark::State& state)
{
    const GestureRecognizer recognizer(kNetwork);
    MemoryCanvas canvas;
    const RGStrokeGrid rows = canvas.Ink(CirclePoints());
    for (auto _ : state) benchmark::DoNotOptimize(recognizer.Recognize(rows));
}
BENCHMARK(BM_ClassifyStroke);

void BM_InkStroke(benchmark::State& state)
{
    MemoryCanvas canvas;
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
