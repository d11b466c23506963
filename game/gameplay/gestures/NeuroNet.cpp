#include "game/gameplay/gestures/NeuroNet.h"

#include "engine/core/base/TarnCoreException.h"

#include <cmath>
#include <cstring>
#include <string>

using SCore::TarnCoreException;

NeuroNet::NeuroNet(const std::vector<int>& layerSizes, double alpha, double beta)
    : m_Margin(0.2), m_Alpha(alpha), m_Beta(beta), m_LayerSizes(layerSizes)
{
    if (m_LayerSizes.empty()) return;
    for (int size : m_LayerSizes)
        if (size < 0) throw TarnCoreException("neuronet: bad layer size");
    m_InputScale.assign(2 * static_cast<size_t>(m_LayerSizes.front()), 1.0);
    if (m_LayerSizes.size() >= 2)
        m_OutputScale.assign(2 * static_cast<size_t>(m_LayerSizes.back()), 1.0);
    for (size_t k = 0; k + 1 < m_LayerSizes.size(); ++k)
        m_Weights.emplace_back((static_cast<size_t>(m_LayerSizes[k]) + 1) * m_LayerSizes[k + 1], 0.0);
}

NeuroNet::~NeuroNet() = default;

void NeuroNet::Init(const std::vector<std::vector<double>>& weights,
                    const std::vector<double>& inputScale, const std::vector<double>& outputScale)
{
    if (weights.size() != m_Weights.size())
        throw TarnCoreException("Incorrect size of layer count");
    if (inputScale.size() != m_InputScale.size())
        throw TarnCoreException("Incorrect size of scale inputs");
    if (outputScale.size() != m_OutputScale.size())
        throw TarnCoreException("Incorrect size of scale outputs");
    m_InputScale = inputScale;
    m_OutputScale = outputScale;
    for (size_t k = 0; k < weights.size(); ++k) {
        if (weights[k].size() != m_Weights[k].size())
            throw TarnCoreException("Incorrect size of weight for layer " + std::to_string(k));
        m_Weights[k] = weights[k];
    }
}

std::vector<double> NeuroNet::Compute(const std::vector<double>& inputs) const
{
    if (m_LayerSizes.empty()) throw TarnCoreException("weights of neuronet is not init");
    if (inputs.size() != static_cast<size_t>(m_LayerSizes.front()))
        throw TarnCoreException("size of input values does not match with size of input of neuronet");
    std::vector<double> x = ScaleValues(inputs, m_InputScale);
    if (m_LayerSizes.size() < 2) return x;   // no layer runs; there is no output scale either
    return ScaleValues(ComputeLayer(x, 1), m_OutputScale);
}

int NeuroNet::Classify(const std::vector<double>& inputs) const
{
    const std::vector<double> y = Compute(inputs);
    if (y.empty()) return -1;
    for (double v : y)
        if (std::isnan(v)) return -1;
    size_t best = 0;
    double max = y[0];
    for (size_t i = 1; i < y.size(); ++i) {
        if (y[i] > max) {
            best = i;
            max = y[i];
        }
    }
    for (size_t i = 0; i < y.size(); ++i)
        if (i != best && std::fabs(y[i] - max) < m_Margin) return -1;
    return static_cast<int>(best);
}

std::vector<double> NeuroNet::ScaleValues(const std::vector<double>& values,
                                          const std::vector<double>& scale)
{
    if (scale.size() != 2 * values.size())
        throw TarnCoreException("size of scale does not match with size of values");
    std::vector<double> out(values.size());
    for (size_t i = 0; i < values.size(); ++i) out[i] = values[i] * scale[2 * i] + scale[2 * i + 1];
    return out;
}

double NeuroNet::Activate(double sum, double alpha, double beta)
{
    const double e = std::exp(-alpha * sum);
    if (std::isinf(e)) return -beta;
    return beta * (1.0 - e) / (1.0 + e);
}

namespace {

// Sums of x[i] * w[i * nOut + j] over i, in order, for the outputs j from `start` on in whole
// blocks of kRegs registers; returns where it stopped. The weights are walked row by row so that
// the loads are contiguous and kRegs sums run side by side; each lane adds its products in the
// same order as one loop per output would, so every sum is the same to the bit.
template <typename Lanes, size_t kRegs>
inline __attribute__((always_inline)) size_t SumBlocks(const double* x, const double* w, size_t nIn,
                                                       size_t nOut, size_t start, double* sum)
{
    const size_t lanes = sizeof(Lanes) / sizeof(double), block = kRegs * lanes;
    size_t j = start;
    for (; j + block <= nOut; j += block) {
        Lanes acc[kRegs] = {};
        for (size_t i = 0; i < nIn; ++i) {
            Lanes v;
            for (size_t l = 0; l < lanes; ++l) v[l] = x[i];
            const double* const row = w + i * nOut + j;
#pragma GCC unroll 16
            for (size_t k = 0; k < kRegs; ++k) {
                Lanes weights;
                std::memcpy(&weights, row + k * lanes, sizeof weights);
                acc[k] += v * weights;
            }
        }
        std::memcpy(sum + j, acc, sizeof acc);
    }
    return j;
}

// Wide blocks first, then narrower ones for what is left of a layer whose size is not a multiple
// of the widest.
template <typename Lanes>
inline __attribute__((always_inline)) size_t SumAllBlocks(const double* x, const double* w, size_t nIn,
                                                          size_t nOut, double* sum)
{
    size_t j = SumBlocks<Lanes, 8>(x, w, nIn, nOut, 0, sum);
    j = SumBlocks<Lanes, 4>(x, w, nIn, nOut, j, sum);
    j = SumBlocks<Lanes, 2>(x, w, nIn, nOut, j, sum);
    return SumBlocks<Lanes, 1>(x, w, nIn, nOut, j, sum);
}

typedef double Lanes2 __attribute__((vector_size(16)));
typedef double Lanes4 __attribute__((vector_size(32)));

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx"))) size_t SumBlocksWide(const double* x, const double* w, size_t nIn,
                                                     size_t nOut, double* sum)
{
    return SumAllBlocks<Lanes4>(x, w, nIn, nOut, sum);
}
const bool g_Wide = (__builtin_cpu_init(), __builtin_cpu_supports("avx"));
#endif

size_t SumBlocksAnyTarget(const double* x, const double* w, size_t nIn, size_t nOut, double* sum)
{
#if defined(__x86_64__) && defined(__GNUC__)
    if (g_Wide) return SumBlocksWide(x, w, nIn, nOut, sum);
#endif
    return SumAllBlocks<Lanes2>(x, w, nIn, nOut, sum);
}

} // namespace

std::vector<double> NeuroNet::ComputeLayer(const std::vector<double>& values, size_t layer) const
{
    const size_t nIn = static_cast<size_t>(m_LayerSizes[layer - 1]);
    const size_t nOut = static_cast<size_t>(m_LayerSizes[layer]);
    const double* const w = m_Weights[layer - 1].data();
    const double* const x = values.data();
    std::vector<double> y(nOut);
    double* const sum = y.data();
    for (size_t j = SumBlocksAnyTarget(x, w, nIn, nOut, sum); j < nOut; ++j) {
        double s = 0.0;
        for (size_t i = 0; i < nIn; ++i) s += x[i] * w[i * nOut + j];
        sum[j] = s;
    }
    const double* const bias = w + nIn * nOut;
    for (size_t j = 0; j < nOut; ++j) sum[j] = Activate(sum[j] + bias[j], m_Alpha, m_Beta);
    if (layer + 1 < m_LayerSizes.size()) return ComputeLayer(y, layer + 1);
    return y;
}
