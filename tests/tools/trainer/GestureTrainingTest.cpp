#include "tools/trainer/RGBackPropTrainer.h"
#include "tools/trainer/RGGestureSynth.h"
#include "tools/trainer/RGGestureTraining.h"
#include "tools/trainer/RGNetFileWriter.h"
#include "tools/trainer/RGStrokeInker.h"

#include "game/gameplay/gestures/GestureRecognizer.h"
#include "game/gameplay/gestures/NNBuilder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace Runegarden;

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

TEST(GestureTraining, ShippedNetworkRecognisesFreshStrokes)
{
    // The game's own loader and recogniser, on strokes from a seed the trainer never used.
    const GestureRecognizer recognizer(Wide(TARN_DATA_DIR "/Res/nn.xml"));
    const RGGestureTraining training((RGTrainingOptions()));
    const std::vector<RGKindReport> reports = training.Evaluate(recognizer.GetNetwork(), 20261206, 300);
    RGKindReport all;
    for (int kind = 0; kind < RGGestureSynth::kClassCount; ++kind) {
        all.total += reports[kind].total;
        all.correct += reports[kind].correct;
        all.refused += reports[kind].refused;
        all.wrong += reports[kind].wrong;
    }
    const std::string table = RGGestureTraining::ReportTable(reports);
    EXPECT_GE(all.correct * 100, all.total * 99) << table;
    EXPECT_LT(all.refused * 100, all.total * 1) << table;
    EXPECT_LT(all.wrong * 200, all.total * 1) << table;
    const RGKindReport& mouseWalls = reports[RGGestureSynth::kMouseWall];
    EXPECT_GE(mouseWalls.correct * 100, mouseWalls.total * 99) << table;
    const RGKindReport& scribbles = reports[RGGestureSynth::kScribble];
    EXPECT_GT(scribbles.refused * 10, scribbles.total * 9) << table;
}

TEST(GestureTraining, TrainingIsRepeatableAndItsFileLoadsAsTheTrainedNetwork)
{
    RGTrainingOptions options;
    options.seed = 7;
    options.trainPerClass = 20;
    options.trainScribbles = 20;
    options.epochs = 2;
    options.hidden = {8, 4};
    const boost::shared_ptr<NeuroNet> trained = RGGestureTraining(options).Train(nullptr);
    std::ostringstream first, second;
    RGNetFileWriter::Write(*trained, first);
    RGNetFileWriter::Write(*RGGestureTraining(options).Train(nullptr), second);
    EXPECT_EQ(first.str(), second.str());

    tarn_test::TempDir dir;
    ASSERT_TRUE(RGNetFileWriter::WriteFile(*trained, dir.File("nn.xml")));
    const boost::shared_ptr<NeuroNet> loaded = NNBuilder(",").Build(Wide(dir.File("nn.xml")));
    EXPECT_EQ(std::vector<int>({400, 8, 4, 5}), loaded->GetLayerSizes());
    EXPECT_EQ(2.0, loaded->GetAlpha());
    EXPECT_EQ(1.0, loaded->GetBeta());
    EXPECT_EQ(trained->GetWeights(), loaded->GetWeights());
    EXPECT_EQ(trained->GetInputScale(), loaded->GetInputScale());
    EXPECT_EQ(trained->GetOutputScale(), loaded->GetOutputScale());
}

TEST(GestureTraining, TrainingMovesEveryWeightAndASmallRunBeatsChance)
{
    // One epoch over two samples moves every weight, biases included.
    RGBackPropTrainer trainer({400, 4, 2}, 2.0, 1.0, 3);
    const std::vector<std::vector<double>> before = trainer.MakeNetwork()->GetWeights();
    RGTrainingSample a, b;
    a.cells.assign(400, 1);
    a.targets = {0.9, -0.9};
    b.cells.assign(400, 0);
    b.targets = {-0.9, 0.9};
    trainer.Epoch({a, b}, 0.01, 0.5);
    const std::vector<std::vector<double>> after = trainer.MakeNetwork()->GetWeights();
    for (size_t k = 0; k < before.size(); ++k)
        for (size_t i = 0; i < before[k].size(); ++i) EXPECT_NE(before[k][i], after[k][i]) << k << " " << i;

    // Five gestures: chance is one in five.
    RGTrainingOptions options;
    options.seed = 5;
    options.trainPerClass = 40;
    options.trainScribbles = 40;
    options.epochs = 5;
    RGGestureTraining training(options);
    const std::vector<RGKindReport> reports = training.Evaluate(training.Train(nullptr), 99, 40);
    int correct = 0, total = 0;
    for (int kind = 0; kind < RGGestureSynth::kClassCount; ++kind) {
        correct += reports[kind].correct;
        total += reports[kind].total;
    }
    EXPECT_GT(correct * 5, total * 2) << RGGestureTraining::ReportTable(reports);
}

TEST(GestureTraining, AFailedWriteKeepsThePreviousFile)
{
    tarn_test::TempDir dir;
    const std::string path = dir.File("nn.xml");
    const boost::shared_ptr<NeuroNet> net(new NeuroNet({1, 1}, 2.0, 1.0));
    const struct {
        const char* what;
        std::function<void()> arrange;
    } cases[] = {
        {"the temporary file cannot be made", [&] { std::filesystem::create_directories(path + ".tmp/x"); }},
        {"the disk is full", [&] { std::filesystem::create_symlink("/dev/full", path + ".tmp"); }},
    };
    for (const auto& c : cases) {
        tarn_test::WriteBytes(path, "previous");
        c.arrange();
        EXPECT_FALSE(RGNetFileWriter::WriteFile(*net, path)) << c.what;
        EXPECT_EQ("previous", tarn_test::ReadBytes(path)) << c.what;
        std::filesystem::remove_all(path + ".tmp");
    }
}

TEST(GestureTraining, SynthesisedStrokesStayInTheWindowAndInkAShape)
{
    RGGestureSynth synth(11);
    RGStrokeInker inker;
    for (int n = 0; n < 210; ++n) {
        const int kind = n % RGGestureSynth::kKindCount;
        const std::vector<RGStrokePoint> points = synth.Make(kind);
        ASSERT_GE(points.size(), 4u);
        for (const RGStrokePoint& p : points) {
            EXPECT_TRUE(p.x >= 0.0f && p.x < 1.0f && p.y >= 0.0f && p.y < 1.0f) << p.x << " " << p.y;
        }
        EXPECT_GE(inker.Ink(points).size(), 2u) << RGGestureSynth::KindName(kind);
    }
}

} // namespace
