#include "game/app/application/RGGlobalObjects.h"

#include "game/app/profiles/RGUserProfileManager.h"
#include "game/audio/RGSoundManager.h"

namespace Runegarden {

void CreateGlobalObjects()
{
    gProfileManager.reset(new RGUserProfileManager);
    gSoundManager.reset();
    // Level packs and font metrics: RGLevelPacks::Create() and LoadFontMetrics() of game/gameplay
    // are called here once they exist.
}

} // namespace Runegarden
