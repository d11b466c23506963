#pragma once
// What the render device needs of the window it is created on: the SDL window to make the
// OpenGL context on (null for a virtual window) and the client size. The window code registers
// how its handles map to SDL windows; the render test hooks register their test windows, asked first.

#include "platform/wintypes.h"

struct SDL_Window;

namespace platform {
namespace sdl {

struct RenderWindow {
    SDL_Window* window = nullptr;
    int width = 0;
    int height = 0;
};

typedef bool (*RenderWindowLookup)(HWND handle, RenderWindow* out);
void SetRenderWindowLookup(RenderWindowLookup lookup);
void SetTestWindowLookup(RenderWindowLookup lookup);
bool LookUpRenderWindow(HWND handle, RenderWindow* out);

// The OpenGL attributes every window and context is made with: 2.1, double buffered, and the
// back buffer's 24-bit depth, so that the device can draw straight into the window.
void RequestGLAttributes();

// The window's client area as the display system has it (screen position and size). SDL reports
// the full-screen geometry it asked for, which a display without a window manager never grants;
// SDL's own answer is taken only for a windowed window of the expected size.
struct WindowGeometry {
    int x = 0, y = 0, width = 0, height = 0;
};
WindowGeometry ActualGeometry(SDL_Window* window, int expectedWidth, int expectedHeight);

// The largest side the device can make a texture, back buffer or window of: 8192, or less once an
// OpenGL context has told its maximum texture and viewport size. A larger window would take
// gigabytes for a picture the device cannot draw, so windows and devices are refused above it.
const int kDeviceMaxSide = 8192;
bool FitsSurface(long width, long height);
// What an OpenGL context can draw: the least of its maximum texture and viewport sides.
void LimitSurfaceSide(int side);

// The display the environment names (DISPLAY, else WAYLAND_DISPLAY); null when none is.
const char* NamedDisplay();
// Whether SDL video can be used (a named display was opened); initialises it on first use.
bool VideoAvailable();
// The desktop size and refresh rate of the first display; false without a display.
bool DesktopMode(int* width, int* height, int* refreshRate);

} // namespace sdl
} // namespace platform
