#pragma once
// The game's global objects, made once by the game's constructor before any window exists: the
// profile manager (which reads users.xml), the two level packs and the font metrics table. The
// sound manager stays empty until the object initialisation registers the sounds.

namespace Runegarden {

void CreateGlobalObjects();

} // namespace Runegarden
