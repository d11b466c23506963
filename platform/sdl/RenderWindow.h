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

// Whether SDL video can be used (a display is present); initialises it on first use.
bool VideoAvailable();
// The desktop size and refresh rate of the first display; false without a display.
bool DesktopMode(int* width, int* height, int* refreshRate);

} // namespace sdl
} // namespace platform
