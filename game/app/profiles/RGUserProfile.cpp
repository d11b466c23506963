#include "game/app/profiles/RGUserProfile.h"

#include "engine/core/base/SLoger.h"

namespace Runegarden {

namespace {

// The "Id" of each child of the element, by position; none when the element is missing.
std::vector<unsigned int> ReadIds(SCore::SDeserializator& reader, const char* element)
{
    std::vector<unsigned int> ids;
    if (!reader.IsHaveChild(element)) return ids;
    reader.BeginChild(element);
    const unsigned int count = reader.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        reader.BeginChild(i);
        unsigned int id = 0;
        reader.Deserialize("Id", id);
        ids.push_back(id);
        reader.EndChild();
    }
    reader.EndChild();
    return ids;
}

void WriteIds(SCore::SSerializator& writer, const char* element, const char* child,
              const std::vector<uint32_t>& ids)
{
    writer.BeginChild(element);
    for (uint32_t id : ids) {
        writer.BeginChild(child);
        writer.Serialize("Id", static_cast<unsigned int>(id));
        writer.EndChild();
    }
    writer.EndChild();
}

} // namespace

RGUserProfile::RGUserProfile()
    : Score(0), Lifes(0), Trophies(kTrophyCount, 0), TrophySet1Complete(false), TrophySet2Complete(false),
      AllTrophySetsComplete(false)
{
}

void RGUserProfile::UpdateTrophySets()
{
    unsigned int first = 0, second = 0;
    for (size_t i = 0; i < Trophies.size(); ++i)
        if (Trophies[i] != 0) ++(i < kTrophiesPerSet ? first : second);
    TrophySet1Complete = first == kTrophiesPerSet;
    TrophySet2Complete = second == kTrophiesPerSet;
    AllTrophySetsComplete = TrophySet1Complete && TrophySet2Complete;
}

void RGUserProfile::Deserialize(SCore::SDeserializator& reader)
{
    reader.Deserialize("Name", Name);
    reader.Deserialize("Score", Score);
    // Written signed, read unsigned: "-1" wraps back.
    unsigned int lifes = 0;
    reader.Deserialize("Lifes", lifes);
    Lifes = static_cast<int32_t>(lifes);
    // A profile is stored without lives only when the game was left during a game over, before
    // the click that gives one back. It is read as that click leaves it: with none, the next level
    // built would restart the main pack and the player's progress would be lost.
    if (Lifes <= 0) Lifes = 1;
    reader.Deserialize("Level", Level);
    reader.Deserialize("BonusLevel", BonusLevel);
    if (reader.IsAvialableName("LevelShowName")) reader.Deserialize("LevelShowName", LevelShowName);
    if (reader.IsAvialableName("BonusLevelShowName")) reader.Deserialize("BonusLevelShowName", BonusLevelShowName);
    for (unsigned int id : ReadIds(reader, "Trophies")) {
        if (id < kTrophyCount) {
            Trophies[id] = 1;
            UpdateTrophySets();
        } else {
            gLoger << SCore::GetCurrentDateTime() << (" users.xml: trophy id " + std::to_string(id) + " ignored\n");
        }
    }
    for (unsigned int id : ReadIds(reader, "DoneBonusLevels")) DoneBonusLevels.push_back(id);
}

void RGUserProfile::Serialize(SCore::SSerializator& writer) const
{
    writer.BeginChild("Userprofile");
    writer.Serialize("Name", Name);
    writer.Serialize("Score", static_cast<unsigned int>(Score));
    writer.Serialize("Lifes", static_cast<int>(Lifes));
    writer.Serialize("Level", Level);
    writer.Serialize("LevelShowName", LevelShowName);
    writer.Serialize("BonusLevel", BonusLevel);
    writer.Serialize("BonusLevelShowName", BonusLevelShowName);
    std::vector<uint32_t> won;
    for (uint32_t i = 0; i < Trophies.size(); ++i)
        if (Trophies[i] != 0) won.push_back(i);
    WriteIds(writer, "Trophies", "Trophy", won);
    WriteIds(writer, "DoneBonusLevels", "BonusLevel", DoneBonusLevels);
    writer.EndChild();
}

} // namespace Runegarden
