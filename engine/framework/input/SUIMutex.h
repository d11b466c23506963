#pragma once
// The one UI mutex: held by the input thread for each input pass and by the main thread around
// the game's update and draw, so UI callbacks never run while a frame reads what they change.
// Taken before the message manager's lock and never together with the render lock.

#include "platform/win32.h"

namespace TarnEngine {
namespace UI {

class SUIMutex {
public:
    static CRITICAL_SECTION& Section();
};

} // namespace UI
} // namespace TarnEngine
