#pragma once
// The game's stroke recogniser: reduces the painted rows of a stroke to a 20 x 20 grid of 0/1
// cells and lets the network of "Res\nn.xml" name the tool type, or -1 for no class.

#include "game/gameplay/gestures/NeuroNet.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace Runegarden {

class GestureRecognizer {
public:
    static constexpr int kGridSize = 20;
    static constexpr int kInputCount = kGridSize * kGridSize;

    // Loads "Res\nn.xml" from the working directory.
    GestureRecognizer();
    // Loads the network from another file (tests and tools).
    explicit GestureRecognizer(const std::wstring& networkPath);
    // Uses a network already built; it must read 400 inputs.
    explicit GestureRecognizer(const boost::shared_ptr<NeuroNet>& network);
    virtual ~GestureRecognizer();

    // The tool type number of the stroke, or -1 when it is not recognised.
    int Recognize(const std::vector<std::vector<unsigned char>>& rows) const;

    // The network's 400 inputs for a stroke of at least two rows: cell (r, c) is 1.0 when any
    // byte it samples is non-zero. Bytes beyond the end of a short row count as 0.
    static std::vector<double> Reduce(const std::vector<std::vector<unsigned char>>& rows);

    const boost::shared_ptr<NeuroNet>& GetNetwork() const { return m_Network; }

private:
    void Load(const std::wstring& networkPath);
    void Adopt(const boost::shared_ptr<NeuroNet>& network);

    boost::shared_ptr<NeuroNet> m_Network;
};

} // namespace Runegarden
