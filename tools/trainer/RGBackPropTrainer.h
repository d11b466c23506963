#pragma once
// Plain back-propagation (stochastic gradient descent on the squared error, with momentum) for
// a network of the game's format: bipolar sigmoid units y = beta (1 - e) / (1 + e),
// e = exp(-alpha s), weights laid out as NeuroNet reads them.

#include "game/gameplay/gestures/NeuroNet.h"
#include "tools/trainer/RGRandom.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Runegarden {

struct RGTrainingSample {
    std::vector<unsigned char> cells;   // the 400 grid cells, 0 or 1
    std::vector<double> targets;        // one per output
};

class RGBackPropTrainer {
public:
    RGBackPropTrainer(const std::vector<int>& sizes, double alpha, double beta, uint64_t seed);

    // One pass over the samples in a shuffled order; returns the mean squared error.
    double Epoch(const std::vector<RGTrainingSample>& samples, double rate, double momentum);

    // The network with the trained weights.
    boost::shared_ptr<NeuroNet> MakeNetwork() const;

    // Inputs arrive as 0/1 cells; the network maps them to -1/+1.
    static std::vector<double> InputScale(int inputs);
    static std::vector<double> OutputScale(int outputs);

private:
    double Train(const RGTrainingSample& sample, double rate, double momentum);

    std::vector<int> m_Sizes;
    double m_Alpha;
    double m_Beta;
    RGRandom m_Random;
    std::vector<std::vector<double>> m_Weights;
    std::vector<std::vector<double>> m_Velocity;
    std::vector<std::vector<double>> m_Values;   // per layer, scratch
    std::vector<std::vector<double>> m_Deltas;   // per layer, scratch
};

} // namespace Runegarden
