#pragma once
// One player's progress. Trophy i belongs to the level at index i of the main level pack; the
// first 15 trophies make set 1, the next 15 set 2.

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/serialization/SSerializator.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Runegarden {

class RGUserProfile {
public:
    static const unsigned int kTrophyCount = 30;
    static const unsigned int kTrophiesPerSet = 15;

    RGUserProfile();
    virtual ~RGUserProfile() = default;

    // Recomputes the three set flags from the trophy slots.
    void UpdateTrophySets();
    void AddDoneBonusLevel(uint32_t index) { DoneBonusLevels.push_back(index); }

    // Reads the reader's current element, one stored profile; a trophy id beyond the slots is
    // ignored and logged. Throws what the reader throws for a missing or bad field.
    void Deserialize(SCore::SDeserializator& reader);
    // Writes the profile as a "Userprofile" child of the writer's current element.
    void Serialize(SCore::SSerializator& writer) const;

    std::wstring Name;
    uint32_t Score;
    int32_t Lifes;
    // The main pack's current level: empty for a new game, "done" once the pack is finished.
    std::string Level;
    std::string LevelShowName;
    std::vector<uint32_t> DoneBonusLevels;
    std::string BonusLevel;
    std::string BonusLevelShowName;
    std::vector<int32_t> Trophies;
    bool TrophySet1Complete;
    bool TrophySet2Complete;
    bool AllTrophySetsComplete;
};

} // namespace Runegarden
