#pragma once
// The high-score table: one row per player name, highest score first. A row holds the last
// score given for its name, whether higher or lower than before; the table has no length limit.

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/serialization/SSerializator.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Runegarden {

struct RGHighScoreEntry {
    std::wstring Name;
    std::string Level;
    uint32_t BestScore = 0;
};

class RGHighScore {
public:
    virtual ~RGHighScore() = default;

    // Adds or updates the row of name, then sorts; rows of equal score keep their order, so an
    // unchanged table saves to the same bytes.
    void AddScore(const std::wstring& name, const std::string& level, uint32_t score);
    // Replaces the rows by the "HighScore" child of the reader's current element, in file order.
    void Deserialize(SCore::SDeserializator& reader);
    void Serialize(SCore::SSerializator& writer) const;

    std::vector<RGHighScoreEntry> m_Entries;
};

} // namespace Runegarden
