#include "game/gameplay/gestures/RGStrokeRaster.h"

#include "tests/game/gameplay/gestures/CanvasPixels.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using Runegarden::RGStrokeRaster;
using Runegarden::RGStrokeRect;

// A canvas in plain memory with a pitch wider than a row and guard bytes around it, so writes
// outside the canvas show up.
struct Canvas {
    static const INT kPitch = 256 * 4 + 32;
    static const size_t kGuard = 4096;
    std::vector<BYTE> memory = std::vector<BYTE>(kGuard * 2 + 256 * kPitch, 0);
    RGStrokeRaster raster;

    BYTE* Bits() { return memory.data() + kGuard; }
    void Add(float x, float y) { raster.AddPoint(x, y, Bits(), kPitch); }

    Pixels Painted() { return PaintedPixels(Bits(), kPitch); }
    bool GuardsClean() const
    {
        for (size_t i = 0; i < kGuard; ++i)
            if (memory[i] != 0 || memory[memory.size() - 1 - i] != 0) return false;
        for (int y = 0; y < 256; ++y)
            for (INT b = 1024; b < kPitch; ++b)
                if (memory[kGuard + y * kPitch + b] != 0) return false;
        return true;
    }
};

Pixels Row(int y, int x0, int x1)
{
    Pixels p;
    for (int x = x0; x <= x1; ++x) p.insert(std::make_pair(x, y));
    return p;
}

TEST(RGStrokeRaster, PixelsOffTheCanvasAreSkipped)
{
    Canvas canvas;
    canvas.Add(-0.01f, 0.5f);
    canvas.Add(0.1f, 0.5f);
    EXPECT_EQ(Row(128, 0, 25), canvas.Painted());

    Canvas far;
    far.Add(1.5f, 0.25f);
    far.Add(-1e30f, 0.25f);
    far.Add(0.5f, std::numeric_limits<float>::quiet_NaN());
    far.Add(0.5f, 2.0f);
    far.Add(-0.2f, -0.2f);
    EXPECT_TRUE(far.GuardsClean());
    const Pixels painted = far.Painted();
    for (const auto& p : Row(64, 0, 255)) EXPECT_TRUE(painted.count(p));
    EXPECT_FALSE(painted.count(std::make_pair(128, 200)));
}

TEST(RGStrokeRaster, RectangleOfAStrokeAtTheLastPixel)
{
    Canvas corner;
    corner.Add(0.999f, 0.999f);   // truncation: the last pixel, not past it
    const RGStrokeRect r = corner.raster.EffectiveRectangle(corner.Bits(), Canvas::kPitch);
    EXPECT_EQ(std::vector<UINT>({255, 255, 1, 1}), std::vector<UINT>({r.x, r.y, r.width, r.height}));
}

} // namespace
