#pragma once
// Where the layer shows windows and draws, chosen the way a display driver is chosen:
//   1. the driver given to SetDisplayDriver, if any;
//   2. else the environment variable TARN_DISPLAY_DRIVER: "opengl" or "headless" (any case);
//   3. else OpenGL when a display can be opened, headless when none can (a named display that
//      cannot be opened is reported by UnopenedDisplay, for the program to refuse to start).
// OpenGL: windows are SDL windows and devices draw into them. Headless: windows are virtual (they
// sit where they are put and get no input from the system), devices keep their state and draw
// nothing, Present only counts frames; D3DX decoding works as ever.
// The choice applies to windows and devices created after it. Tests may override either on top
// (platform/testing_render.h, platform/testing_input.h).

#include <string>

namespace platform {

enum class DisplayDriver { Auto, OpenGL, Headless };

// Auto goes back to the environment variable and the display.
void SetDisplayDriver(DisplayDriver driver);
// The driver in force now: OpenGL or Headless, never Auto. Main thread (may open SDL video).
DisplayDriver CurrentDisplayDriver();
// The display the environment names (DISPLAY, else WAYLAND_DISPLAY) when it cannot be opened and
// the headless device was not chosen: the program would otherwise run where nobody sees it.
// Empty when it opened, when none is named, or with the headless driver set. Main thread.
std::string UnopenedDisplay();
// True when the headless device is in force only because no display is named (DISPLAY and
// WAYLAND_DISPLAY unset or empty) and no driver was chosen: the program, run from a console,
// would otherwise not say why nothing shows.
bool HeadlessForWantOfDisplay();

} // namespace platform
