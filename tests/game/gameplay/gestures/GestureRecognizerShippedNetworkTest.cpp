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
    // The outputs ("%a" of each) as the recogniser gave them when the network was last trained.
    const struct {
        const char* name;
        RGStrokeGrid rows;
        int answer;
        const char* outputs;
    } strokes[] = {
        {"circle", Ink(Arc(0.5, 0.5, 0.12, 0.16, 0.0, 2 * kPi, 20)), 4,
         "-0x1.cca79688c6382p-1 -0x1.cbf5560f168f9p-1 -0x1.cd653ddaa3ac3p-1 -0x1.ccf7ccb5e2b6ap-1 0x1.cd8a3dbdf26dap-1"},
        {"small circle", Ink(Arc(0.3, 0.6, 0.05, 0.05, 0.0, 2 * kPi, 12)), 4,
         "-0x1.cd571a3a0407fp-1 -0x1.cbcfd458ada98p-1 -0x1.cd8f6f6532ccp-1 -0x1.ccc6f01b1d246p-1 0x1.cd1b2d94d732ep-1"},
        {"horizontal", Ink({{0.2f, 0.5f}, {0.5f, 0.52f}, {0.8f, 0.5f}}), -1,
         "-0x1.d20357c8f7538p-1 -0x1.cef66bd72b8aep-1 -0x1.c7ca37414ae11p-1 -0x1.cfbb8b8c0a4c7p-1 -0x1.cb52f3b8fd47bp-1"},
        {"vertical", Ink({{0.5f, 0.2f}, {0.51f, 0.5f}, {0.5f, 0.8f}}), 0,
         "0x1.ce1e5784899cdp-1 -0x1.b91a357341f41p-1 -0x1.65d17fa70d88ep-1 -0x1.c0cc7a11f6549p-1 -0x1.e4d1cd2b1c41ep-1"},
        {"vee", Ink({{0.2f, 0.2f}, {0.5f, 0.8f}, {0.8f, 0.2f}}), -1,
         "-0x1.d305c94ff68eap-1 -0x1.cff5b57a78693p-1 -0x1.bc129d5aac5d4p-1 -0x1.d0f7db24cbd94p-1 -0x1.c9e3e344b2349p-1"},
        {"caret", Ink({{0.2f, 0.8f}, {0.5f, 0.2f}, {0.8f, 0.8f}}), 1,
         "-0x1.2f755bf9452f6p-1 -0x1.7c40af2b69531p-2 -0x1.e8751be064b08p-1 -0x1.d09097ce3f91ep-1 -0x1.d67548fb29e35p-1"},
        {"zigzag", Ink({{0.1f, 0.3f}, {0.3f, 0.7f}, {0.5f, 0.3f}, {0.7f, 0.7f}, {0.9f, 0.3f}}), -1,
         "-0x1.abe2838528a21p-1 -0x1.ca911fb69f0d2p-1 -0x1.d000d41b93b37p-1 -0x1.c9a5163e7188ep-1 -0x1.cefbeff7f9a8fp-1"},
        {"square", Ink({{0.3f, 0.3f}, {0.7f, 0.3f}, {0.7f, 0.7f}, {0.3f, 0.7f}, {0.3f, 0.3f}}), -1,
         "-0x1.da9bd7b75e0c9p-1 -0x1.c7c9d9026f62p-1 -0x1.b58b99d247f29p-1 -0x1.ca0258074bf26p-1 -0x1.d6941870b1e57p-1"},
        // Upright walls as a mouse gives them: read 20 times a second, the hand a few pixels off
        // at every reading.
        {"shaky wall", Ink({{0.7207f, 0.3411f}, {0.7324f, 0.3945f}, {0.7178f, 0.4466f}, {0.7109f, 0.4922f},
                            {0.7090f, 0.5365f}, {0.7021f, 0.5859f}, {0.7021f, 0.6393f}, {0.6973f, 0.6810f},
                            {0.6963f, 0.7279f}}), 0,
         "0x1.c997a59502e05p-1 -0x1.ce60283b40648p-1 -0x1.d29088e2e0239p-1 -0x1.cfa59df891a3cp-1 -0x1.d0213d167f4c4p-1"},
        {"short shaky wall", Ink({{0.6992f, 0.1497f}, {0.6943f, 0.2109f}, {0.6816f, 0.2708f}, {0.6875f, 0.3099f},
                                  {0.6846f, 0.3802f}, {0.6846f, 0.4349f}, {0.6836f, 0.4961f}}), 0,
         "0x1.81dfbab4015aep-1 -0x1.c6b9356b54e5ep-1 -0x1.db8fe1b542e1fp-1 -0x1.c4cecc23f5ce8p-1 -0x1.d45e59ff742fep-1"},
        {"diagonal", Ink({{0.15f, 0.85f}, {0.85f, 0.15f}}), 0,
         "0x1.cfb1b03f4446dp-1 -0x1.cab9c57589d1ap-1 -0x1.ced7179263fc4p-1 -0x1.ca473d876580ep-1 -0x1.ceb25efa7be05p-1"},
        {"arch", Ink(Arc(0.5, 0.6, 0.25, 0.25, kPi, 2 * kPi, 16)), 1,
         "-0x1.ccf65cd3d195dp-1 0x1.cdcf3bddd5f9p-1 -0x1.cca83e5bc6ddep-1 -0x1.cc7d68efed3aap-1 -0x1.ccd7fffe141dcp-1"},
        {"spiral", Ink(Arc(0.5, 0.5, 0.02, 0.02, 0.0, 4 * kPi, 40, 0.2)), -1,
         "-0x1.cc73c1e0dda42p-1 -0x1.cb855053349e1p-1 -0x1.d014a22257f2cp-1 -0x1.caa4a1ab0427ap-1 -0x1.ce65e9bb097a3p-1"},
        {"triangle", Ink({{0.5f, 0.2f}, {0.8f, 0.75f}, {0.2f, 0.75f}, {0.5f, 0.2f}}), -1,
         "-0x1.daa3b58a2cef4p-1 -0x1.c8e436fcacc51p-1 -0x1.d20ee0acfda95p-1 -0x1.c8131e60ef8fep-1 -0x1.d2b90fecc0b42p-1"},
        {"wave", Ink(Wave()), -1,
         "-0x1.cff8feeed8d84p-1 -0x1.cb3b9953bbf97p-1 -0x1.d3633b3f47ba7p-1 -0x1.ca4acde726efbp-1 -0x1.cfab3fbf0bb33p-1"},
        {"points right", Ink({{0.4f, 0.3f}, {0.6f, 0.5f}, {0.4f, 0.7f}}), 2,
         "-0x1.cd31dc605daffp-1 -0x1.cc4195d87f46p-1 0x1.cf6236ca40f2fp-1 -0x1.cb14002527b81p-1 -0x1.cc7895f8d3252p-1"},
        {"points left", Ink({{0.6f, 0.3f}, {0.4f, 0.52f}, {0.6f, 0.7f}}), 3,
         "-0x1.cd668562aba09p-1 -0x1.cd3bcf74d3df4p-1 -0x1.cccb590991c9bp-1 0x1.cd0a47eb72fe2p-1 -0x1.cc367789b2f1dp-1"},
        {"u", Ink(Arc(0.5, 0.4, 0.2, 0.3, 0.0, kPi, 16)), -1,
         "-0x1.ce112ad89f10ap-1 -0x1.cc58de479f831p-1 -0x1.cd17d65db0cffp-1 -0x1.cc0a8688347a7p-1 -0x1.cd0468f72e91ep-1"},
        {"two rows", Pattern(2, 256, 3), 0,
         "0x1.fe6eb5524af03p-1 -0x1.e9685b1065f0ep-1 -0x1.99c28d5531f34p-1 -0x1.cca3fba82d7cbp-1 -0x1.c09dc6e3c8693p-1"},
        {"84 x 30", Pattern(84, 30, 5), 0,
         "0x1.ffea2e3b7ea7bp-1 -0x1.ce3b78abe035ep-1 -0x1.e548f41ca6273p-1 -0x1.d69d188a65624p-1 -0x1.b244ddf97b2ecp-1"},
        {"19 x 21", Pattern(19, 21, 7), -1,
         "-0x1.b22bdabe8cfd2p-1 -0x1.cee33f369fb78p-1 -0x1.cd5c0eba8b8a9p-1 -0x1.d140e7b387134p-1 -0x1.cd91d26cb07e8p-1"},
        {"ragged", Ragged(), 0,
         "0x1.fc5bb330aeb5cp-1 -0x1.e33f875c934dep-1 -0x1.9e3f92261aad4p-1 -0x1.db89990a04945p-1 -0x1.e79a136ddbecdp-1"},
        {"wider than the canvas", Pattern(7, 300, 11), 0,
         "0x1.fff2765e13b41p-1 -0x1.a9fe5561c661ep-1 -0x1.cec57f8a1706ep-1 -0x1.eae5285daf7aap-1 -0x1.8e35def8b2375p-1"},
    };
    for (const auto& s : strokes) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(s.answer, recognizer.Recognize(s.rows));
        EXPECT_EQ(s.outputs, Hex(recognizer.GetNetwork()->Compute(GestureRecognizer::Reduce(s.rows))));
    }
}

} // namespace
