#include "game/app/profiles/RGHighScore.h"

#include <algorithm>

namespace Runegarden {

void RGHighScore::AddScore(const std::wstring& name, const std::string& level, uint32_t score)
{
    auto row = std::find_if(m_Entries.begin(), m_Entries.end(),
                            [&](const RGHighScoreEntry& e) { return e.Name == name; });
    if (row != m_Entries.end()) {
        row->Level = level;
        row->BestScore = score;
    } else {
        m_Entries.push_back(RGHighScoreEntry{name, level, score});
    }
    std::stable_sort(m_Entries.begin(), m_Entries.end(),
                     [](const RGHighScoreEntry& a, const RGHighScoreEntry& b) { return a.BestScore > b.BestScore; });
}

void RGHighScore::Deserialize(SCore::SDeserializator& reader)
{
    m_Entries.clear();
    reader.BeginChild("HighScore");
    const unsigned int count = reader.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        reader.BeginChild(i);
        RGHighScoreEntry entry;
        reader.Deserialize("Name", entry.Name);
        reader.Deserialize("Level", entry.Level);
        unsigned int best = 0;
        reader.Deserialize("BestScore", best);
        entry.BestScore = best;
        m_Entries.push_back(entry);
        reader.EndChild();
    }
    reader.EndChild();
}

void RGHighScore::Serialize(SCore::SSerializator& writer) const
{
    writer.BeginChild("HighScore");
    for (const RGHighScoreEntry& entry : m_Entries) {
        writer.BeginChild("Score");
        writer.Serialize("Name", entry.Name);
        writer.Serialize("Level", entry.Level);
        writer.Serialize("BestScore", static_cast<unsigned int>(entry.BestScore));
        writer.EndChild();
    }
    writer.EndChild();
}

} // namespace Runegarden
