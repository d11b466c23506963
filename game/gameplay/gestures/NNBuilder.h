#pragma once
// Reads a network from a "neuronet" XML file: alpha, beta, the layers with their sizes and
// weight lists, and the input and output scales.

#include "game/gameplay/gestures/NeuroNet.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

class NNBuilder {
public:
    // Layers whose weights together exceed this are refused before anything is allocated.
    static constexpr size_t kMaxWeightCount = 1u << 24;

    explicit NNBuilder(const std::string& separator);
    virtual ~NNBuilder();

    // Every failure (missing file, XML error, missing element, bad size, bad number, sizes that
    // do not fit together) throws TarnCoreException saying what is wrong.
    boost::shared_ptr<NeuroNet> Build(const std::wstring& path) const;

    // The numbers of a list cut at each separator character; blanks may lead a number, nothing
    // may follow it, and an empty piece (a trailing separator, an empty text) is an error.
    std::vector<double> ParseDoubles(const std::string& text) const;

private:
    std::string m_Separator;
};
