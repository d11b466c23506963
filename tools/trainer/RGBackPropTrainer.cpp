#include "tools/trainer/RGBackPropTrainer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Runegarden {

RGBackPropTrainer::RGBackPropTrainer(const std::vector<int>& sizes, double alpha, double beta,
                                     uint64_t seed)
    : m_Sizes(sizes), m_Alpha(alpha), m_Beta(beta), m_Random(seed)
{
    for (size_t k = 0; k + 1 < sizes.size(); ++k) {
        const size_t nIn = sizes[k], nOut = sizes[k + 1];
        const double bound = 1.0 / std::sqrt(static_cast<double>(nIn));
        std::vector<double> w((nIn + 1) * nOut);
        for (double& v : w) v = m_Random.Uniform(-bound, bound);
        m_Weights.push_back(w);
        m_Velocity.push_back(std::vector<double>(w.size(), 0.0));
    }
    for (int n : sizes) {
        m_Values.push_back(std::vector<double>(n));
        m_Deltas.push_back(std::vector<double>(n));
    }
}

double RGBackPropTrainer::Epoch(const std::vector<RGTrainingSample>& samples, double rate,
                                double momentum)
{
    std::vector<size_t> order(samples.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    for (size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[m_Random.Index(static_cast<int>(i))]);
    double error = 0.0;
    for (size_t i : order) error += Train(samples[i], rate, momentum);
    return samples.empty() ? 0.0 : error / samples.size();
}

double RGBackPropTrainer::Train(const RGTrainingSample& sample, double rate, double momentum)
{
    const size_t layers = m_Sizes.size();
    for (size_t i = 0; i < sample.cells.size(); ++i) m_Values[0][i] = sample.cells[i] ? 1.0 : -1.0;

    for (size_t l = 1; l < layers; ++l) {
        const size_t nIn = m_Sizes[l - 1], nOut = m_Sizes[l];
        const std::vector<double>& w = m_Weights[l - 1];
        std::vector<double>& y = m_Values[l];
        for (size_t j = 0; j < nOut; ++j) y[j] = w[nIn * nOut + j];
        for (size_t i = 0; i < nIn; ++i) {
            const double x = m_Values[l - 1][i];
            const double* row = &w[i * nOut];
            for (size_t j = 0; j < nOut; ++j) y[j] += x * row[j];
        }
        for (size_t j = 0; j < nOut; ++j) y[j] = NeuroNet::Activate(y[j], m_Alpha, m_Beta);
    }

    // dy/ds = alpha / (2 beta) (beta^2 - y^2)
    const double slope = m_Alpha / (2.0 * m_Beta);
    double error = 0.0;
    std::vector<double>& out = m_Values[layers - 1];
    for (size_t j = 0; j < out.size(); ++j) {
        const double diff = out[j] - sample.targets[j];
        error += diff * diff;
        m_Deltas[layers - 1][j] = diff * slope * (m_Beta * m_Beta - out[j] * out[j]);
    }
    for (size_t l = layers - 1; l >= 1; --l) {
        const size_t nIn = m_Sizes[l - 1], nOut = m_Sizes[l];
        std::vector<double>& w = m_Weights[l - 1];
        std::vector<double>& v = m_Velocity[l - 1];
        const std::vector<double>& delta = m_Deltas[l];
        if (l >= 2) {
            for (size_t i = 0; i < nIn; ++i) {
                double sum = 0.0;
                for (size_t j = 0; j < nOut; ++j) sum += w[i * nOut + j] * delta[j];
                const double y = m_Values[l - 1][i];
                m_Deltas[l - 1][i] = sum * slope * (m_Beta * m_Beta - y * y);
            }
        }
        for (size_t i = 0; i <= nIn; ++i) {
            const double x = i < nIn ? m_Values[l - 1][i] : 1.0;
            for (size_t j = 0; j < nOut; ++j) {
                double& vel = v[i * nOut + j];
                vel = momentum * vel - rate * x * delta[j];
                w[i * nOut + j] += vel;
            }
        }
    }
    return error;
}

boost::shared_ptr<NeuroNet> RGBackPropTrainer::MakeNetwork() const
{
    // Seven significant digits: the file stays short and quick to load, and the network made
    // here is exactly the one the file holds.
    std::vector<std::vector<double>> weights = m_Weights;
    for (std::vector<double>& layer : weights) {
        for (double& w : layer) {
            char text[32];
            const char* const end = std::to_chars(text, text + sizeof text, w, std::chars_format::general, 7).ptr;
            std::from_chars(text, end, w);
        }
    }
    boost::shared_ptr<NeuroNet> net(new NeuroNet(m_Sizes, m_Alpha, m_Beta));
    net->Init(weights, InputScale(m_Sizes.front()), OutputScale(m_Sizes.back()));
    return net;
}

std::vector<double> RGBackPropTrainer::InputScale(int inputs)
{
    std::vector<double> scale;
    for (int i = 0; i < inputs; ++i) {
        scale.push_back(2.0);
        scale.push_back(-1.0);
    }
    return scale;
}

std::vector<double> RGBackPropTrainer::OutputScale(int outputs)
{
    std::vector<double> scale;
    for (int i = 0; i < outputs; ++i) {
        scale.push_back(1.0);
        scale.push_back(0.0);
    }
    return scale;
}

} // namespace Runegarden
