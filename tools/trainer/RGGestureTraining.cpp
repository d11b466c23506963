#include "tools/trainer/RGGestureTraining.h"

#include "game/gameplay/gestures/GestureRecognizer.h"
#include "tools/trainer/RGBackPropTrainer.h"
#include "tools/trainer/RGGestureSynth.h"
#include "tools/trainer/RGStrokeInker.h"

#include <cstdio>

namespace Runegarden {

namespace {

const double kTarget = 0.9;

} // namespace

RGGestureTraining::RGGestureTraining(const RGTrainingOptions& options) : m_Options(options) {}

boost::shared_ptr<NeuroNet> RGGestureTraining::Train(std::ostream* log)
{
    const int outputs = RGGestureSynth::kClassCount;
    RGGestureSynth synth(m_Options.seed);
    RGStrokeInker inker;
    std::vector<RGTrainingSample> samples;
    for (int kind = 0; kind < RGGestureSynth::kKindCount; ++kind) {
        // Walls drawn with a mouse vary the most, and a refused wall costs the player more than
        // a scribble that casts: they get twice the strokes.
        const int count = kind == RGGestureSynth::kScribble    ? m_Options.trainScribbles
                          : kind == RGGestureSynth::kMouseWall ? 2 * m_Options.trainPerClass
                                                               : m_Options.trainPerClass;
        for (int n = 0; n < count; ++n) {
            const std::vector<double> cells = inker.Cells(synth.Make(kind));
            if (cells.empty()) continue;   // refused before the network; nothing to learn
            RGTrainingSample sample;
            sample.cells.assign(cells.begin(), cells.end());
            sample.targets.assign(outputs, -kTarget);
            const int tool = RGGestureSynth::ClassOf(kind);
            if (tool >= 0) sample.targets[tool] = kTarget;
            samples.push_back(sample);
        }
    }
    if (log) *log << "training strokes: " << samples.size() << "\n";

    std::vector<int> sizes = {GestureRecognizer::kInputCount};
    sizes.insert(sizes.end(), m_Options.hidden.begin(), m_Options.hidden.end());
    sizes.push_back(outputs);
    RGBackPropTrainer trainer(sizes, 2.0, 1.0, m_Options.seed + 1);
    for (int epoch = 0; epoch < m_Options.epochs; ++epoch) {
        // The rate falls linearly to a tenth over the run.
        const double rate = m_Options.rate * (1.0 - 0.9 * epoch / std::max(1, m_Options.epochs - 1));
        const double error = trainer.Epoch(samples, rate, m_Options.momentum);
        if (log) {
            char line[96];
            std::snprintf(line, sizeof line, "epoch %d: rate %.5f, mean squared error %.5f\n", epoch + 1, rate, error);
            *log << line << std::flush;
        }
    }
    return trainer.MakeNetwork();
}

std::vector<RGKindReport> RGGestureTraining::Evaluate(const boost::shared_ptr<NeuroNet>& network,
                                                      uint64_t seed, int perKind) const
{
    const GestureRecognizer recognizer(network);
    RGGestureSynth synth(seed);
    RGStrokeInker inker;
    std::vector<RGKindReport> reports(RGGestureSynth::kKindCount);
    for (int kind = 0; kind < RGGestureSynth::kKindCount; ++kind) {
        RGKindReport& report = reports[kind];
        for (int n = 0; n < perKind; ++n) {
            const int answer = recognizer.Recognize(inker.Ink(synth.Make(kind)));
            ++report.total;
            if (answer < 0)
                ++report.refused;
            else if (answer == RGGestureSynth::ClassOf(kind))
                ++report.correct;
            else
                ++report.wrong;
        }
    }
    return reports;
}

std::string RGGestureTraining::ReportTable(const std::vector<RGKindReport>& reports)
{
    const auto percent = [](int part, int whole) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f %%", whole ? 100.0 * part / whole : 0.0);
        return std::string(text);
    };
    std::string table = "| Gesture | Held-out strokes | Recognised | Refused | Wrong spell |\n"
                        "|---|---:|---:|---:|---:|\n";
    // Each wall kind under the wall, the sum of the gestures, then the scribbles.
    const int order[] = {0, RGGestureSynth::kMouseWall, 1, 2, 3, 4, -1, RGGestureSynth::kScribble};
    RGKindReport all;
    for (int kind : order) {
        if (kind >= static_cast<int>(reports.size())) continue;
        const RGKindReport& r = kind < 0 ? all : reports[kind];
        const bool scribble = kind == RGGestureSynth::kScribble;
        if (RGGestureSynth::ClassOf(kind) >= 0) {
            all.total += r.total;
            all.correct += r.correct;
            all.refused += r.refused;
            all.wrong += r.wrong;
        }
        const std::string name = kind < 0 ? "**all gestures**"
                                          : std::string(RGGestureSynth::KindName(kind)) + (scribble ? " (should be refused)" : "");
        table += "| " + name + " | " + std::to_string(r.total) + " | " + (scribble ? "-" : percent(r.correct, r.total)) +
                 " | " + percent(r.refused, r.total) + " | " + percent(r.wrong, r.total) + " |\n";
    }
    return table;
}

} // namespace Runegarden
