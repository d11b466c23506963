#include "game/gameplay/gestures/NeuroNet.h"

#include "engine/core/base/TarnCoreException.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using tarn_test::ThrownText;

// A net of one input and zero weights: every unit gives 0, so each output is its offset.
NeuroNet NetWithOutputs(const std::vector<double>& outputs)
{
    NeuroNet net({1, static_cast<int>(outputs.size())}, 2.0, 1.0);
    std::vector<double> outputScale;
    for (double v : outputs) {
        outputScale.push_back(1.0);
        outputScale.push_back(v);
    }
    net.Init({std::vector<double>(2 * outputs.size(), 0.0)}, {1.0, 0.0}, outputScale);
    return net;
}

TEST(NeuroNet, ClassifyNeedsTheBestOutputClearOfEveryOtherByTheMargin)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::vector<double> outputs;
        int expected;
    } cases[] = {
        {{0.9, 0.65, 0.1}, 0},
        {{0.9, 0.75}, -1},
        {{-0.5, -0.5, -0.9}, -1},   // equal maxima are always refused
        {{0.25, 0.5, 0.75}, 2},      // exactly 0.25 clear
        {{-0.3}, 0},                 // a single output is always accepted
        {{0.9, nan, -0.9}, -1},
    };
    for (const auto& c : cases) {
        NeuroNet net = NetWithOutputs(c.outputs);
        EXPECT_EQ(c.expected, net.Classify({0.0})) << ::testing::PrintToString(c.outputs);
    }
}

TEST(NeuroNet, OverflowingUnitTakesTheLimitInsteadOfNaN)
{
    // exp(-2 * -1000 * 1) overflows; the unit is then -beta.
    NeuroNet net({1, 2}, 2.0, 1.0);
    net.Init({{-1000.0, 1000.0, 0.0, 0.0}}, {1.0, 0.0}, {1.0, 0.0, 1.0, 0.0});
    const std::vector<double> y = net.Compute({1.0});
    EXPECT_EQ(-1.0, y[0]);
    EXPECT_EQ(1.0, y[1]);
    EXPECT_EQ(1, net.Classify({1.0}));
}

TEST(NeuroNet, InitChecksEverySizeInOrderAndComputeRefusesAMissingNetOrWrongInputCount)
{
    const std::vector<double> in = {1, 0, 1, 0}, out = {1, 0}, w0(9, 0.5), w1(4, 0.5);
    typedef std::vector<std::vector<double>> Weights;
    auto init = [](Weights weights, std::vector<double> inputScale, std::vector<double> outputScale) {
        return [=] { NeuroNet({2, 3, 1}, 2.0, 1.0).Init(weights, inputScale, outputScale); };
    };
    auto compute = [](std::vector<int> sizes, std::vector<double> inputs) {
        return [=] { NeuroNet(sizes, 2.0, 1.0).Compute(inputs); };
    };
    const struct {
        std::function<void()> call;
        const char* expected;
    } cases[] = {
        {init({w0, w1, w1}, {1}, {1}), "Incorrect size of layer count"},
        {init({w0, w1}, {1, 0}, {1}), "Incorrect size of scale inputs"},
        {init({w0, w1}, in, {1, 0, 1, 0}), "Incorrect size of scale outputs"},
        {init({std::vector<double>(8, 0.5), w1}, in, out), "Incorrect size of weight for layer 0"},
        {init({w0, std::vector<double>(5, 0.5)}, in, out), "Incorrect size of weight for layer 1"},
        {compute({}, {}), "weights of neuronet is not init"},
        {compute({2, 1}, {1.0}), "size of input values does not match with size of input of neuronet"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, ThrownText(c.call));
}

} // namespace
