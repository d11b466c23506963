#include "game/gameplay/gestures/GestureRecognizer.h"

#include "game/gameplay/gestures/NNBuilder.h"

#include "engine/core/base/TarnCoreException.h"

static const char* const kTarnSource = "..\\Src\\GestureRecognizer";

namespace Runegarden {

GestureRecognizer::GestureRecognizer()
{
    TARN_TRY
    Load(L"Res\\nn.xml");
    TARN_CATCH("GestureRecognizer::GestureRecognizer()")
}

GestureRecognizer::GestureRecognizer(const std::wstring& networkPath)
{
    TARN_TRY
    Load(networkPath);
    TARN_CATCH("GestureRecognizer::GestureRecognizer()")
}

GestureRecognizer::GestureRecognizer(const boost::shared_ptr<NeuroNet>& network)
{
    TARN_TRY
    Adopt(network);
    TARN_CATCH("GestureRecognizer::GestureRecognizer()")
}

GestureRecognizer::~GestureRecognizer() = default;

void GestureRecognizer::Load(const std::wstring& networkPath)
{
    NNBuilder builder(",");
    Adopt(builder.Build(networkPath));
}

void GestureRecognizer::Adopt(const boost::shared_ptr<NeuroNet>& network)
{
    TARN_ASSERT(network.get() != 0);
    const std::vector<int>& sizes = network->GetLayerSizes();
    // The grid is fixed; a network of another input size would fail on every stroke.
    if (sizes.empty() || sizes.front() != kInputCount)
        throw SCore::TarnCoreException("neuronet: input layer must have 400 units");
    m_Network = network;
}

int GestureRecognizer::Recognize(const std::vector<std::vector<unsigned char>>& rows) const
{
    TARN_TRY
    if (rows.size() < 2) return -1;
    return m_Network->Classify(Reduce(rows));
    TARN_CATCH("GestureRecognizer::Recognize()")
}

std::vector<double> GestureRecognizer::Reduce(const std::vector<std::vector<unsigned char>>& rows)
{
    std::vector<double> cells;
    cells.reserve(kInputCount);
    if (rows.empty()) {
        cells.assign(kInputCount, 0.0);
        return cells;
    }
    // Single precision on purpose: the cells must sample the same pixels as the trained data.
    const float cellW = static_cast<float>(rows.front().size()) / 20.0f;
    const float cellH = static_cast<float>(rows.size()) / 20.0f;
    for (int r = 0; r < kGridSize; ++r) {
        for (int c = 0; c < kGridSize; ++c) {
            bool painted = false;
            for (int dy = 0; !painted && static_cast<float>(dy) < cellH; ++dy) {
                const size_t y = static_cast<size_t>(static_cast<float>(r) * cellH + static_cast<float>(dy));
                if (y >= rows.size()) continue;
                const std::vector<unsigned char>& row = rows[y];
                for (int dx = 0; static_cast<float>(dx) < cellW; ++dx) {
                    const size_t x = static_cast<size_t>(static_cast<float>(c) * cellW + static_cast<float>(dx));
                    if (x < row.size() && row[x] != 0) {
                        painted = true;
                        break;
                    }
                }
            }
            cells.push_back(painted ? 1.0 : 0.0);
        }
    }
    return cells;
}

} // namespace Runegarden
