#include "game/gameplay/gestures/NNBuilder.h"

#include "engine/core/base/FileUtils.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/xml/XMLException.h"
#include "engine/core/xml/XMLParser.h"

#include <boost/lexical_cast.hpp>

#include <charconv>
#include <cmath>

static const char* const kTarnSource = "..\\Src\\NNBuilder";

using SCore::TarnCoreException;
using SCore::SXML::XMLNode;
typedef boost::shared_ptr<XMLNode> NodePtr;

namespace {

NodePtr RequireChild(const NodePtr& parent, const char* name)
{
    NodePtr child = parent->GetChild(name);
    if (!child) throw TarnCoreException(std::string("neuronet: missing element ") + name);
    return child;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Reads one number at [first, last) after leading blanks, the same in every locale and rounded
// correctly, so a written value reads back to the bit; returns where the number ends, or null.
const char* ReadDouble(const char* first, const char* last, double& value)
{
    while (first != last && IsBlank(*first)) ++first;
    if (first != last && *first == '+' && first + 1 != last && first[1] != '-') ++first;
    const std::from_chars_result read = std::from_chars(first, last, value);
    return read.ec == std::errc() ? read.ptr : nullptr;
}

TarnCoreException BadNumber(const char* first, const char* last)
{
    return TarnCoreException("neuronet: bad number [" + std::string(first, last) + "]");
}

double ToDouble(const char* first, const char* last)
{
    double value = 0.0;
    if (ReadDouble(first, last, value) != last) throw BadNumber(first, last);
    return value;
}

double ToDouble(const std::string& text) { return ToDouble(text.data(), text.data() + text.size()); }

// The number reader takes "nan" and "inf"; a network holding one would refuse every stroke.
void RequireFinite(const std::vector<double>& values, const std::string& element)
{
    for (double v : values)
        if (!std::isfinite(v)) throw TarnCoreException("neuronet: not a finite number in " + element);
}

double FiniteChild(const NodePtr& parent, const char* name)
{
    const double value = ToDouble(RequireChild(parent, name)->m_Value);
    RequireFinite({value}, name);
    return value;
}

} // namespace

NNBuilder::NNBuilder(const std::string& separator) : m_Separator(separator) {}

NNBuilder::~NNBuilder() = default;

boost::shared_ptr<NeuroNet> NNBuilder::Build(const std::wstring& path) const
{
    TARN_TRY
    SCore::SXML::XMLParser parser;
    try {
        parser.Parse(SCore::ReadWholeFile(path));
    } catch (const SCore::SXML::XMLException& e) {
        throw TarnCoreException(e.what());
    }
    const NodePtr net = RequireChild(parser.GetRoot(), "neuronet");
    const double alpha = FiniteChild(net, "alpha");
    const double beta = FiniteChild(net, "beta");
    const NodePtr layers = RequireChild(net, "layers");
    // Checked before the scales and weights are read, so no list is parsed for a broken net.
    const NodePtr inputScaleNode = RequireChild(net, "input_scale");
    const NodePtr outputScaleNode = RequireChild(net, "output_scale");
    if (layers->m_Children.empty()) throw TarnCoreException("neuronet: no layers");

    std::vector<int> sizes;
    std::vector<std::vector<double>> weights;
    size_t weightCount = 0;
    for (const NodePtr& layer : layers->m_Children) {
        int size = 0;
        const std::string sizeText = layer->GetAttribute("size")->GetValue();
        try {
            size = boost::lexical_cast<int>(sizeText);
        } catch (const boost::bad_lexical_cast&) {
            throw TarnCoreException("neuronet: bad layer size");
        }
        if (size < 1) throw TarnCoreException("neuronet: bad layer size");
        if (!sizes.empty()) {
            weightCount += (static_cast<size_t>(sizes.back()) + 1) * static_cast<size_t>(size);
            if (weightCount > kMaxWeightCount) throw TarnCoreException("neuronet: bad layer size");
            weights.push_back(ParseDoubles(layer->m_Value));
            RequireFinite(weights.back(), layer->m_Name);
        } else if (static_cast<size_t>(size) > kMaxWeightCount) {
            throw TarnCoreException("neuronet: bad layer size");
        }
        sizes.push_back(size);
    }
    if (sizes.size() < 2) throw TarnCoreException("neuronet: fewer than 2 layers");

    const std::vector<double> inputScale = ParseDoubles(inputScaleNode->m_Value);
    const std::vector<double> outputScale = ParseDoubles(outputScaleNode->m_Value);
    RequireFinite(inputScale, "input_scale");
    RequireFinite(outputScale, "output_scale");
    boost::shared_ptr<NeuroNet> network(new NeuroNet(sizes, alpha, beta));
    network->Init(weights, inputScale, outputScale);
    return network;
    TARN_CATCH("NNBuilder::Build()")
}

std::vector<double> NNBuilder::ParseDoubles(const std::string& text) const
{
    std::vector<double> values;
    const char* at = text.data();
    const char* const end = at + text.size();
    const auto isSeparator = [this](char c) { return m_Separator.find(c) != std::string::npos; };
    for (;;) {
        double value = 0.0;
        const char* const stop = ReadDouble(at, end, value);
        if (!stop || (stop != end && !isSeparator(*stop))) {
            const char* pieceEnd = at;
            while (pieceEnd != end && !isSeparator(*pieceEnd)) ++pieceEnd;
            throw BadNumber(at, pieceEnd);
        }
        values.push_back(value);
        if (stop == end) break;
        at = stop + 1;
    }
    return values;
}
