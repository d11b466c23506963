#include "game/app/kit/RGGlobalObjects.h"

#include "game/app/profiles/RGUserProfileManager.h"
#include "game/audio/RGSoundManager.h"
#include "game/gameplay/services/RGFontMetrics.h"
#include "game/gameplay/levels/RGLevelPacks.h"
#include "game/gameplay/services/RGLocalizationFont.h"

namespace Runegarden {

void CreateGlobalObjects()
{
    gProfileManager.reset(new RGUserProfileManager);
    gSoundManager.reset();
    RGLevelPacks::Create();
    // A game made without a configuration (tests) has no metrics file to read.
    if (!gLocalizationFont.m_Path.empty()) LoadFontMetrics();
}

} // namespace Runegarden
