#include "game/app/profiles/RGUserProfile.h"

namespace Runegarden {

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

} // namespace Runegarden
