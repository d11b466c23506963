// The shipped network's answers and exact outputs on a fixed set of strokes: any change to the
// reduction or the forward pass that moves a single bit of an output shows here.

#include "game/gameplay/gestures/GestureRecognizer.h"
#include "game/gameplay/gestures/RGStrokeRaster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

using Runegarden::GestureRecognizer;
using Runegarden::RGStrokeGrid;
using Runegarden::RGStrokeRaster;
using Runegarden::RGStrokeRect;

typedef std::vector<std::pair<float, float>> Points;

const double kPi = 3.14159265358979323846;

// The stroke's rows as the painter cuts them out of its canvas.
RGStrokeGrid Ink(const Points& points)
{
    const INT pitch = RGStrokeRaster::kWidth * RGStrokeRaster::kBytesPerPixel;
    std::vector<BYTE> canvas(size_t(pitch) * RGStrokeRaster::kHeight, 0);
    RGStrokeRaster raster;
    for (const auto& p : points) raster.AddPoint(p.first, p.second, canvas.data(), pitch);
    const RGStrokeRect rect = raster.EffectiveRectangle(canvas.data(), pitch);
    RGStrokeGrid rows;
    raster.CopyRows(canvas.data() + rect.y * pitch + rect.x * RGStrokeRaster::kBytesPerPixel, pitch,
                    rect, rows);
    return rows;
}

// An elliptic arc; a radius that grows by `grow` over the steps makes a spiral.
Points Arc(double cx, double cy, double rx, double ry, double from, double to, int steps, double grow = 0.0)
{
    Points points;
    for (int i = 0; i <= steps; ++i) {
        const double a = from + (to - from) * i / steps, g = grow * i / steps;
        points.emplace_back(float(cx + (rx + g) * std::cos(a)), float(cy + (ry + g) * std::sin(a)));
    }
    return points;
}

Points Wave()
{
    Points points;
    for (int i = 0; i <= 24; ++i)
        points.emplace_back(0.15f + 0.7f * i / 24, float(0.5 + 0.1 * std::sin(4 * kPi * i / 24)));
    return points;
}

// Grids no canvas makes: odd sizes whose cells overlap or skip source rows and columns, and
// rows shorter or longer than the first.
RGStrokeGrid Pattern(size_t height, size_t width, unsigned seed)
{
    RGStrokeGrid rows(height, std::vector<unsigned char>(width, 0));
    for (size_t y = 0; y < height; ++y)
        for (size_t x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            if ((seed >> 24) < 40) rows[y][x] = 255;
        }
    return rows;
}

RGStrokeGrid Ragged()
{
    RGStrokeGrid rows = Pattern(47, 33, 9);
    rows[3].resize(5);
    rows[10].clear();
    rows[20].assign(70, 255);
    return rows;
}

std::string Hex(const std::vector<double>& values)
{
    std::string out;
    for (double v : values) {
        char text[40];
        std::snprintf(text, sizeof text, "%a", v);
        out += (out.empty() ? "" : " ") + std::string(text);
    }
    return out;
}

TEST(GestureRecognizerShippedNetwork, AnswersAndOutputsOnFixedStrokesStayExact)
{
    const GestureRecognizer recognizer(L"" TARN_DATA_DIR "/Res/nn.xml");
    // The outputs ("%a" of each) as the recogniser gave them when first written.
    const struct {
        const char* name;
        RGStrokeGrid rows;
        int answer;
        const char* outputs;
    } strokes[] = {
        {"circle", Ink(Arc(0.5, 0.5, 0.12, 0.16, 0.0, 2 * kPi, 20)), 4,
         "-0x1.cd81c91621ad5p-1 -0x1.cd770e823c1aep-1 -0x1.cd54d2e1725adp-1 -0x1.ccf2be02e4194p-1 0x1.ccbfe0abf9f9fp-1"},
        {"small circle", Ink(Arc(0.3, 0.6, 0.05, 0.05, 0.0, 2 * kPi, 12)), 4,
         "-0x1.cc16039021e35p-1 -0x1.cd763579772efp-1 -0x1.cd50ab2039eefp-1 -0x1.ccb92dfebf7a7p-1 0x1.cc5ff6c1a16e8p-1"},
        {"horizontal", Ink({{0.2f, 0.5f}, {0.5f, 0.52f}, {0.8f, 0.5f}}), -1,
         "-0x1.ffd9dfb2b0cf7p-1 -0x1.f6463cbed85d5p-1 -0x1.fba7f234ab401p-1 -0x1.fcf05129f06f9p-1 -0x1.d94b161092b52p-1"},
        {"vertical", Ink({{0.5f, 0.2f}, {0.51f, 0.5f}, {0.5f, 0.8f}}), 0,
         "0x1.e254b6e26f511p-1 -0x1.b970e39129549p-1 -0x1.ead27271a202fp-1 -0x1.f0a242e04d8f7p-1 -0x1.ffd8e37b9c6ap-1"},
        {"vee", Ink({{0.2f, 0.2f}, {0.5f, 0.8f}, {0.8f, 0.2f}}), -1,
         "-0x1.d76807ff7ec8bp-1 -0x1.c63cc7946dd0dp-1 -0x1.cc608c04c6117p-1 -0x1.aaa641e42ceb4p-1 -0x1.d995e413f10d6p-1"},
        {"caret", Ink({{0.2f, 0.8f}, {0.5f, 0.2f}, {0.8f, 0.8f}}), -1,
         "-0x1.8cd99851187a3p-1 -0x1.b3b48a39b3096p-2 -0x1.9b196241c1032p-2 -0x1.2a72cebcbf32cp-1 -0x1.e575af34ce46cp-1"},
        {"zigzag", Ink({{0.1f, 0.3f}, {0.3f, 0.7f}, {0.5f, 0.3f}, {0.7f, 0.7f}, {0.9f, 0.3f}}), -1,
         "-0x1.ff3197ff0ce36p-1 -0x1.fcb763ee009a5p-1 -0x1.e4ff71b1d6517p-1 -0x1.d282717e5d34ap-1 -0x1.b2c8582184896p-1"},
        {"square", Ink({{0.3f, 0.3f}, {0.7f, 0.3f}, {0.7f, 0.7f}, {0.3f, 0.7f}, {0.3f, 0.3f}}), 0,
         "0x1.2ef8562d352b5p-5 -0x1.9d599731c639cp-2 -0x1.dd5088ea74f2p-1 -0x1.cca0b9b8956f2p-1 -0x1.671d3c2f7ee0bp-1"},
        {"diagonal", Ink({{0.15f, 0.85f}, {0.85f, 0.15f}}), 0,
         "0x1.4832a43e64d3dp-1 -0x1.991c2b5d7f826p-1 -0x1.537c986669e84p-1 -0x1.7475d0b35eba9p-1 -0x1.d21d469694a56p-1"},
        {"arch", Ink(Arc(0.5, 0.6, 0.25, 0.25, kPi, 2 * kPi, 16)), 1,
         "-0x1.ccd1691d7f5f2p-1 0x1.ce1b85caa1627p-1 -0x1.cceae8a24fb33p-1 -0x1.cc5810075c59ap-1 -0x1.ccefb495f0bb9p-1"},
        {"spiral", Ink(Arc(0.5, 0.5, 0.02, 0.02, 0.0, 4 * kPi, 40, 0.2)), -1,
         "-0x1.dc6cca6ac172dp-1 -0x1.cdedfb748dbe2p-1 -0x1.dbdfc21925ebep-1 -0x1.a7b4a6db9bca7p-1 -0x1.cf7259c69abcdp-1"},
        {"triangle", Ink({{0.5f, 0.2f}, {0.8f, 0.75f}, {0.2f, 0.75f}, {0.5f, 0.2f}}), -1,
         "-0x1.d0c8a04d99edap-1 -0x1.592e15bd5bb6ap-1 -0x1.0b85af45247c4p-2 -0x1.4b2d1c95cea62p-2 -0x1.b4eadfb1e6321p-1"},
        {"wave", Ink(Wave()), -1,
         "-0x1.f5a1d1590ba02p-1 -0x1.eabf5d2ff5734p-1 -0x1.d67c84cf5e6b1p-1 -0x1.f5cddfdc8ce1ep-1 -0x1.d3b1160e42957p-1"},
        {"points right", Ink({{0.4f, 0.3f}, {0.6f, 0.5f}, {0.4f, 0.7f}}), 2,
         "-0x1.cd5d626785ed2p-1 -0x1.cd2014e7b755fp-1 0x1.d017e22a9e79p-1 -0x1.ca6a7765b6988p-1 -0x1.cc93e095609d6p-1"},
        {"points left", Ink({{0.6f, 0.3f}, {0.4f, 0.52f}, {0.6f, 0.7f}}), 3,
         "-0x1.cfd08e42413b1p-1 -0x1.cc87f102b910ap-1 -0x1.cc48782bf7626p-1 0x1.cf98e2e667f17p-1 -0x1.cc9e1c075b7aep-1"},
        {"u", Ink(Arc(0.5, 0.4, 0.2, 0.3, 0.0, kPi, 16)), -1,
         "-0x1.c94c23bb452ebp-1 -0x1.c9c6cb3ed7348p-1 -0x1.cb972c4349b98p-1 -0x1.c9a63fdb521d2p-1 -0x1.d05714609604dp-1"},
        {"two rows", Pattern(2, 256, 3), 0,
         "0x1.ffffc60f7b31fp-1 -0x1.fb2e4c27f3b95p-1 -0x1.ff9ac12bb350ap-1 -0x1.ff65dcf518c0fp-1 -0x1.f9349e9e01e81p-1"},
        {"84 x 30", Pattern(84, 30, 5), 0,
         "0x1.fffd574beb7cfp-1 -0x1.ee3965a4c98ebp-1 -0x1.ff088f1f85e4bp-1 -0x1.fe53def4e1b05p-1 -0x1.f40f9ed7feca8p-1"},
        {"19 x 21", Pattern(19, 21, 7), -1,
         "-0x1.fe9b0113c1d3bp-1 -0x1.d61f9de6ab821p-1 -0x1.f793a67c0a51bp-1 -0x1.ff90ea6b93b41p-1 -0x1.fca3f5e43ceb3p-1"},
        {"ragged", Ragged(), 0,
         "0x1.ffffc10fa3649p-1 -0x1.24526adcaac28p-1 -0x1.fe81fdd8298d3p-1 -0x1.f7f89a985a6e5p-1 -0x1.fab432a6a1958p-1"},
        {"wider than the canvas", Pattern(7, 300, 11), 0,
         "0x1.ffff9d6ab438bp-1 -0x1.fc91d4391c68dp-1 -0x1.ffd564269aedep-1 -0x1.ffaeeddf4c27fp-1 -0x1.f0fae763ebf04p-1"},
    };
    for (const auto& s : strokes) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.answer, recognizer.Recognize(s.rows));
        EXPECT_EQ(s.outputs, Hex(recognizer.GetNetwork()->Compute(GestureRecognizer::Reduce(s.rows))));
    }
}

} // namespace
