#pragma once
// A small fully connected feed-forward network of bipolar sigmoid units with linear scaling of
// its inputs and outputs, and a classification rule that refuses answers that are not clear.

#include <cstddef>
#include <vector>

class NeuroNet {
public:
    // Layer sizes from input to output. Weights start at zero, both scales at 1.0 (multiplier
    // and offset alike) until Init replaces them.
    NeuroNet(const std::vector<int>& layerSizes, double alpha, double beta);
    virtual ~NeuroNet();

    // Matrix k holds (sizes[k] + 1) x sizes[k+1] values, weight i -> j at i * n_out + j, the
    // biases in the last row. Checks every size; a failure throws TarnCoreException.
    void Init(const std::vector<std::vector<double>>& weights, const std::vector<double>& inputScale,
              const std::vector<double>& outputScale);

    std::vector<double> Compute(const std::vector<double>& inputs) const;

    // The index of the best output, or -1 when another output is within the margin of it or
    // any output is not a number.
    int Classify(const std::vector<double>& inputs) const;

    const std::vector<int>& GetLayerSizes() const { return m_LayerSizes; }
    double GetAlpha() const { return m_Alpha; }
    double GetBeta() const { return m_Beta; }
    double GetMargin() const { return m_Margin; }
    const std::vector<double>& GetInputScale() const { return m_InputScale; }
    const std::vector<double>& GetOutputScale() const { return m_OutputScale; }
    const std::vector<std::vector<double>>& GetWeights() const { return m_Weights; }

    // value i * scale[2i] + scale[2i+1]; the scale holds two entries per value.
    static std::vector<double> ScaleValues(const std::vector<double>& values,
                                           const std::vector<double>& scale);

    // The unit's activation; an overflowing exponent gives the limit -beta instead of NaN.
    static double Activate(double sum, double alpha, double beta);

protected:
    // Runs layer l and the layers after it.
    std::vector<double> ComputeLayer(const std::vector<double>& values, std::size_t layer) const;

private:
    double m_Margin;
    double m_Alpha;
    double m_Beta;
    std::vector<int> m_LayerSizes;
    std::vector<double> m_InputScale;
    std::vector<double> m_OutputScale;
    std::vector<std::vector<double>> m_Weights;
};
