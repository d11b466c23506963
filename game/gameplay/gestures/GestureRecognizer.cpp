#include "game/gameplay/gestures/GestureRecognizer.h"

#include "game/gameplay/gestures/NNBuilder.h"

#include "engine/core/base/TarnCoreException.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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
    std::vector<double> cells(kInputCount, 0.0);
    if (rows.empty()) return cells;
    // Single precision on purpose: the cells must sample the same pixels as the trained data.
    // Cell c samples source columns trunc(c * cellW + dx) for every whole dx below cellW (rows
    // alike); rounding may repeat or skip an index, so the indices are taken as computed.
    const float cellW = static_cast<float>(rows.front().size()) / 20.0f;
    const float cellH = static_cast<float>(rows.size()) / 20.0f;

    // The grid columns each source column feeds, one bit per grid column.
    std::vector<uint32_t> columnsOf(rows.front().size() + 1, 0);
    for (int c = 0; c < kGridSize; ++c) {
        for (int dx = 0; static_cast<float>(dx) < cellW; ++dx) {
            const size_t x = static_cast<size_t>(static_cast<float>(c) * cellW + static_cast<float>(dx));
            if (x >= columnsOf.size()) columnsOf.resize(x + 1, 0);
            columnsOf[x] |= 1u << c;
        }
    }

    // The grid columns a source row's painted bytes reach. Eight bytes at a time, as a stroke's
    // rows are mostly blank (the last eight overlapping the ones before); without branches inside
    // a painted word, whose scattered pixels would keep mispredicting.
    const auto columnsOfRow = [&columnsOf](const std::vector<unsigned char>& row) {
        const size_t width = std::min(row.size(), columnsOf.size());
        const unsigned char* const bytes = row.data();
        const uint32_t* const columns = columnsOf.data();
        uint32_t mask = 0;
        const auto addWord = [&](size_t x) {
            uint64_t word;
            std::memcpy(&word, bytes + x, sizeof word);
            if (word == 0) return;
            for (size_t i = x; i < x + 8; ++i) mask |= columns[i] & (0u - (bytes[i] != 0));
        };
        if (width < 8) {
            for (size_t x = 0; x < width; ++x) mask |= columns[x] & (0u - (bytes[x] != 0));
            return mask;
        }
        for (size_t x = 0; x + 8 <= width; x += 8) addWord(x);
        if (width % 8 != 0) addWord(width - 8);
        return mask;
    };

    // Neighbouring cells may share a source row: the last row's answer is kept.
    size_t lastY = rows.size();
    uint32_t lastMask = 0;
    for (int r = 0; r < kGridSize; ++r) {
        uint32_t painted = 0;
        for (int dy = 0; static_cast<float>(dy) < cellH; ++dy) {
            const size_t y = static_cast<size_t>(static_cast<float>(r) * cellH + static_cast<float>(dy));
            if (y >= rows.size()) continue;
            if (y != lastY) {
                lastY = y;
                lastMask = columnsOfRow(rows[y]);
            }
            painted |= lastMask;
        }
        double* const cellRow = cells.data() + r * kGridSize;
        for (int c = 0; c < kGridSize; ++c) cellRow[c] = (painted >> c) & 1u ? 1.0 : 0.0;
    }
    return cells;
}

} // namespace Runegarden
