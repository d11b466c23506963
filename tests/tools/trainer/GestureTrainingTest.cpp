#include "tools/trainer/RGGestureSynth.h"
#include "tools/trainer/RGGestureTraining.h"
#include "tools/trainer/RGNetFileWriter.h"
#include "tools/trainer/RGStrokeInker.h"

#include "game/gameplay/gestures/GestureRecognizer.h"
#include "game/gameplay/gestures/NNBuilder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

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
    const RGKindReport& scribbles = reports[RGGestureSynth::kScribble];
    EXPECT_GT(scribbles.refused * 2, scribbles.total) << table;
}

TEST(GestureTraining, TrainingIsRepeatableAndItsFileLoadsAsTheTrainedNetwork)
{
    RGTrainingOptions options;
    options.seed = 7;
    options.trainPerClass = 20;
    options.trainScribbles = 20;
    options.epochs = 2;
    const boost::shared_ptr<NeuroNet> trained = RGGestureTraining(options).Train(nullptr);
    std::ostringstream first, second;
    RGNetFileWriter::Write(*trained, first);
    RGNetFileWriter::Write(*RGGestureTraining(options).Train(nullptr), second);
    EXPECT_EQ(first.str(), second.str());

    tarn_test::TempDir dir;
    ASSERT_TRUE(RGNetFileWriter::WriteFile(*trained, dir.File("nn.xml")));
    const boost::shared_ptr<NeuroNet> loaded = NNBuilder(",").Build(Wide(dir.File("nn.xml")));
    EXPECT_EQ(std::vector<int>({400, 32, 5}), loaded->GetLayerSizes());
    EXPECT_EQ(2.0, loaded->GetAlpha());
    EXPECT_EQ(1.0, loaded->GetBeta());
    EXPECT_EQ(trained->GetWeights(), loaded->GetWeights());
    EXPECT_EQ(trained->GetInputScale(), loaded->GetInputScale());
    EXPECT_EQ(trained->GetOutputScale(), loaded->GetOutputScale());
}

TEST(GestureTraining, SynthesisedStrokesStayInTheWindowAndInkAShape)
{
    RGGestureSynth synth(11);
    RGStrokeInker inker;
    for (int n = 0; n < 200; ++n) {
        const int kind = n % (RGGestureSynth::kScribble + 1);
        const std::vector<RGStrokePoint> points = synth.Make(kind);
        ASSERT_GE(points.size(), 4u);
        for (const RGStrokePoint& p : points) {
            EXPECT_TRUE(p.x >= 0.0f && p.x < 1.0f && p.y >= 0.0f && p.y < 1.0f) << p.x << " " << p.y;
        }
        EXPECT_GE(inker.Ink(points).size(), 2u) << RGGestureSynth::KindName(kind);
    }
}

} // namespace
