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
         "-0x1.cd2cbcd9fcf2p-1 -0x1.ccad77670ffe3p-1 -0x1.cc78d8dcb4ca8p-1 -0x1.ccc51a912de65p-1 0x1.ccc9c5a3e09ap-1"},
        {"small circle", Ink(Arc(0.3, 0.6, 0.05, 0.05, 0.0, 2 * kPi, 12)), 4,
         "-0x1.cd54d69f44f58p-1 -0x1.cdfda51205e8fp-1 -0x1.ccaf03d784577p-1 -0x1.cddf2d0f2b815p-1 0x1.ce1d248ae53b6p-1"},
        {"horizontal", Ink({{0.2f, 0.5f}, {0.5f, 0.52f}, {0.8f, 0.5f}}), -1,
         "-0x1.c89378f8414d4p-1 -0x1.ca772824d959p-1 -0x1.d50d00b079542p-1 -0x1.cb2b1aa8420a3p-1 -0x1.cc95e1aa3eec9p-1"},
        {"vertical", Ink({{0.5f, 0.2f}, {0.51f, 0.5f}, {0.5f, 0.8f}}), 0,
         "0x1.8c21eca69decdp-1 -0x1.cbe33acc02d2p-1 -0x1.9ef6c63330c0ep-1 -0x1.cd94fe23c1281p-1 -0x1.dc2825cd8714fp-1"},
        {"vee", Ink({{0.2f, 0.2f}, {0.5f, 0.8f}, {0.8f, 0.2f}}), -1,
         "-0x1.bfa123f0d323bp-1 -0x1.ce19bea878fddp-1 -0x1.d5d7cf3aad5bfp-1 -0x1.d0a4a7913b1d7p-1 -0x1.c88aa202f1af9p-1"},
        {"caret", Ink({{0.2f, 0.8f}, {0.5f, 0.2f}, {0.8f, 0.8f}}), 1,
         "-0x1.e566be0b809eep-1 0x1.abfa8d8e20d16p-5 -0x1.d6bbd7c6ae4ccp-1 -0x1.e49e1c6dbd44cp-1 -0x1.d44424826a5ebp-1"},
        {"zigzag", Ink({{0.1f, 0.3f}, {0.3f, 0.7f}, {0.5f, 0.3f}, {0.7f, 0.7f}, {0.9f, 0.3f}}), -1,
         "-0x1.cc7d18ceda04p-1 -0x1.cc1b164d1bed4p-1 -0x1.ce23440b3adebp-1 -0x1.cdd11fb62e095p-1 -0x1.cd4d6495ce4e4p-1"},
        {"square", Ink({{0.3f, 0.3f}, {0.7f, 0.3f}, {0.7f, 0.7f}, {0.3f, 0.7f}, {0.3f, 0.3f}}), -1,
         "-0x1.d80a804f31bbp-1 -0x1.c450da2703a29p-1 -0x1.c32d9d6347bf7p-1 -0x1.cce1ed37bbd17p-1 -0x1.d7aee80055be7p-1"},
        {"diagonal", Ink({{0.15f, 0.85f}, {0.85f, 0.15f}}), 0,
         "0x1.c69d381874c36p-1 -0x1.cc683db78560dp-1 -0x1.c9ffd1dfb62bap-1 -0x1.ccc76ed7907ccp-1 -0x1.ce2eaf51dca9ap-1"},
        {"arch", Ink(Arc(0.5, 0.6, 0.25, 0.25, kPi, 2 * kPi, 16)), 1,
         "-0x1.cd2658e1c4c9fp-1 0x1.cce20f30fdcd2p-1 -0x1.cbad59c6c5608p-1 -0x1.ccee11f00a507p-1 -0x1.cce25d41963b4p-1"},
        {"spiral", Ink(Arc(0.5, 0.5, 0.02, 0.02, 0.0, 4 * kPi, 40, 0.2)), -1,
         "-0x1.c975e80bc8bc1p-1 -0x1.cdffee73f517bp-1 -0x1.cdcf4ae65b73bp-1 -0x1.cc6b1ba133793p-1 -0x1.cc8e80027858dp-1"},
        {"triangle", Ink({{0.5f, 0.2f}, {0.8f, 0.75f}, {0.2f, 0.75f}, {0.5f, 0.2f}}), -1,
         "-0x1.d12963474447dp-1 -0x1.cbe2cd3079d38p-1 -0x1.cd8228137b399p-1 -0x1.ce1794f32906fp-1 -0x1.cc30d08b5c085p-1"},
        {"wave", Ink(Wave()), -1,
         "-0x1.d25d98b7253e8p-1 -0x1.cdd67df0dec04p-1 -0x1.cc9467d7c830fp-1 -0x1.cf9998445fb31p-1 -0x1.cc9d7615ec04ap-1"},
        {"points right", Ink({{0.4f, 0.3f}, {0.6f, 0.5f}, {0.4f, 0.7f}}), 2,
         "-0x1.cd7989e8f20fcp-1 -0x1.cccc42288e556p-1 0x1.ce45fe6511348p-1 -0x1.cc1956975acdcp-1 -0x1.cc8d8c3251ca3p-1"},
        {"points left", Ink({{0.6f, 0.3f}, {0.4f, 0.52f}, {0.6f, 0.7f}}), 3,
         "-0x1.cc13bf4b1433ap-1 -0x1.cc911904a2923p-1 -0x1.cce158001a78ap-1 0x1.cd35b4495c4b2p-1 -0x1.cd4d5cd9a08edp-1"},
        {"u", Ink(Arc(0.5, 0.4, 0.2, 0.3, 0.0, kPi, 16)), -1,
         "-0x1.cc860fa0b1dc1p-1 -0x1.cc1c9b064e8f6p-1 -0x1.ccc6dc0095edep-1 -0x1.cc56c1a3782bbp-1 -0x1.cdaa97850bbfbp-1"},
        {"two rows", Pattern(2, 256, 3), 0,
         "0x1.ff9916c6ef1a7p-1 -0x1.ff11157ecb08cp-1 -0x1.86082f2e2e947p-1 -0x1.fc28bf03dd293p-1 -0x1.cd7b420b3a454p-1"},
        {"84 x 30", Pattern(84, 30, 5), 0,
         "0x1.db7aa506962e8p-1 -0x1.8e32060df5236p-1 -0x1.f04f36b7aa327p-1 -0x1.d20da386c9de4p-1 -0x1.b6cbc3bfc3aep-1"},
        {"19 x 21", Pattern(19, 21, 7), -1,
         "-0x1.cc6fa293d83bp-1 -0x1.ccff30deb188bp-1 -0x1.cd1517821a56dp-1 -0x1.cc7acce5dbfffp-1 -0x1.cb916f442ff0cp-1"},
        {"ragged", Ragged(), 0,
         "0x1.ff8a38b3cc2f4p-1 -0x1.be1f38b97dbf5p-1 -0x1.bf10db535f693p-1 -0x1.f8811886f2ed4p-1 -0x1.fdc6905572637p-1"},
        {"wider than the canvas", Pattern(7, 300, 11), 0,
         "0x1.ffc24db291519p-1 -0x1.dc264244a9a5cp-1 -0x1.e3895c48f75bep-1 -0x1.f88700fa0fecbp-1 -0x1.de6bdead37969p-1"},
    };
    for (const auto& s : strokes) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.answer, recognizer.Recognize(s.rows));
        EXPECT_EQ(s.outputs, Hex(recognizer.GetNetwork()->Compute(GestureRecognizer::Reduce(s.rows))));
    }
}

} // namespace
