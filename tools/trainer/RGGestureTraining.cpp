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
    for (int kind = 0; kind <= RGGestureSynth::kScribble; ++kind) {
        const int count = kind == RGGestureSynth::kScribble ? m_Options.trainScribbles : m_Options.trainPerClass;
        for (int n = 0; n < count; ++n) {
            const std::vector<double> cells = inker.Cells(synth.Make(kind));
            if (cells.empty()) continue;   // refused before the network; nothing to learn
            RGTrainingSample sample;
            sample.cells.assign(cells.begin(), cells.end());
            sample.targets.assign(outputs, -kTarget);
            if (kind < outputs) sample.targets[kind] = kTarget;
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
    std::vector<RGKindReport> reports(RGGestureSynth::kScribble + 1);
    for (int kind = 0; kind <= RGGestureSynth::kScribble; ++kind) {
        RGKindReport& report = reports[kind];
        for (int n = 0; n < perKind; ++n) {
            const int answer = recognizer.Recognize(inker.Ink(synth.Make(kind)));
            ++report.total;
            if (answer < 0)
                ++report.refused;
            else if (answer == kind)
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
    RGKindReport all;
    for (size_t kind = 0; kind < reports.size(); ++kind) {
        const RGKindReport& r = reports[kind];
        const bool scribble = static_cast<int>(kind) == RGGestureSynth::kScribble;
        if (!scribble) {
            all.total += r.total;
            all.correct += r.correct;
            all.refused += r.refused;
            all.wrong += r.wrong;
        } else {
            table += "| **all gestures** | " + std::to_string(all.total) + " | " + percent(all.correct, all.total) +
                     " | " + percent(all.refused, all.total) + " | " + percent(all.wrong, all.total) + " |\n";
        }
        table += std::string("| ") + RGGestureSynth::KindName(static_cast<int>(kind)) +
                 (scribble ? " (should be refused)" : "") + " | " + std::to_string(r.total) + " | " +
                 (scribble ? "-" : percent(r.correct, r.total)) + " | " + percent(r.refused, r.total) +
                 " | " + percent(r.wrong, r.total) + " |\n";
    }
    return table;
}

} // namespace Runegarden
