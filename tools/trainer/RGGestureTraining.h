#pragma once
// One training run: synthesise and ink the training strokes, train the network, and measure it
// with the game's recogniser on strokes it never saw.

#include "game/gameplay/gestures/NeuroNet.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace Runegarden {

struct RGTrainingOptions {
    uint64_t seed = 1;
    int trainPerClass = 12000;
    int trainScribbles = 24000;
    int testPerClass = 2000;
    int epochs = 40;
    std::vector<int> hidden = {48, 32};   // the hidden layers' sizes, input side first
    double rate = 0.01;
    double momentum = 0.5;
};

struct RGKindReport {
    int total = 0;
    int correct = 0;
    int refused = 0;
    int wrong = 0;   // recognised as another spell
};

class RGGestureTraining {
public:
    explicit RGGestureTraining(const RGTrainingOptions& options);

    // Progress lines go to `log` when given.
    boost::shared_ptr<NeuroNet> Train(std::ostream* log);

    // One report per kind, the five gestures and then the scribbles, on strokes drawn from
    // `seed` (distinct from the training seed's strokes).
    std::vector<RGKindReport> Evaluate(const boost::shared_ptr<NeuroNet>& network, uint64_t seed,
                                       int perKind) const;

    // The markdown table of a report.
    static std::string ReportTable(const std::vector<RGKindReport>& reports);

    // The stroke seed of the held-out set that belongs to a training seed.
    static uint64_t HeldOutSeed(uint64_t seed) { return seed ^ 0x5DEECE66Dull; }

private:
    RGTrainingOptions m_Options;
};

} // namespace Runegarden
