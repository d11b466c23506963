#pragma once
// The game's nineteen sound effects: a new sound manager becomes the global one and every effect
// is registered with its WAV file and the number of copies that may sound at once. The names are
// also the ones the scripts play.

#include "platform/wintypes.h"

#include <functional>

namespace Runegarden {

class RGSoundTable {
public:
    // progress gets 0.8 first, then the value after each registered effect (0.1/18 more each).
    static void Create(HWND window, const std::function<void(float)>& progress);
};

} // namespace Runegarden
