#pragma once
// Where the layer shows windows and draws, chosen the way a display driver is chosen:
//   1. the driver given to SetDisplayDriver, if any;
//   2. else the environment variable TARN_DISPLAY_DRIVER: "opengl" or "headless" (any case);
//   3. else OpenGL when a display can be opened, headless when none can.
// OpenGL: windows are SDL windows and devices draw into them. Headless: windows are virtual (they
// sit where they are put and get no input from the system), devices keep their state and draw
// nothing, Present only counts frames; D3DX decoding works as ever.
// The choice applies to windows and devices created after it. Tests may override either on top
// (platform/testing_render.h, platform/testing_input.h).

namespace platform {

enum class DisplayDriver { Auto, OpenGL, Headless };

// Auto goes back to the environment variable and the display.
void SetDisplayDriver(DisplayDriver driver);
// The driver in force now: OpenGL or Headless, never Auto. Main thread (may open SDL video).
DisplayDriver CurrentDisplayDriver();

} // namespace platform
