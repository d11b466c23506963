// The windows the render device can draw into: those the window code knows (through its
// lookup) and the test windows of platform/testing_render.h (through the render hooks' lookup).

#include "platform/sdl/RenderWindow.h"

#include <SDL.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace platform {
namespace sdl {
namespace {

std::mutex g_Lock;
RenderWindowLookup g_Lookup = nullptr;
RenderWindowLookup g_TestLookup = nullptr;
std::atomic<int> g_MaxSide{kDeviceMaxSide};

} // namespace

void SetRenderWindowLookup(RenderWindowLookup lookup)
{
    std::lock_guard<std::mutex> guard(g_Lock);
    g_Lookup = lookup;
}

void SetTestWindowLookup(RenderWindowLookup lookup)
{
    std::lock_guard<std::mutex> guard(g_Lock);
    g_TestLookup = lookup;
}

bool LookUpRenderWindow(HWND handle, RenderWindow* out)
{
    RenderWindowLookup test, lookup;
    {
        std::lock_guard<std::mutex> guard(g_Lock);
        test = g_TestLookup;
        lookup = g_Lookup;
    }
    return (test && test(handle, out)) || (lookup && lookup(handle, out));
}

bool FitsSurface(long width, long height)
{
    const long side = g_MaxSide.load();
    return width <= side && height <= side;
}

void LimitSurfaceSide(int side)
{
    int current = g_MaxSide.load();
    while (side > 0 && side < current && !g_MaxSide.compare_exchange_weak(current, side)) {
    }
}

const char* NamedDisplay()
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* name = std::getenv(variable);
        if (name && *name) return name;
    }
    return nullptr;
}

bool VideoAvailable()
{
    static int available = -1;
    if (available < 0) {
        available = NamedDisplay() && (SDL_WasInit(SDL_INIT_VIDEO) || SDL_InitSubSystem(SDL_INIT_VIDEO) == 0);
        // When the display cannot be opened SDL falls back on a driver that shows nothing (unless
        // the user chose one): that is no display.
        const char* driver = available ? SDL_GetCurrentVideoDriver() : nullptr;
        const char* chosen = std::getenv("SDL_VIDEODRIVER");
        if (available && !(chosen && *chosen) && driver && std::strcmp(driver, "x11") != 0 &&
            std::strcmp(driver, "wayland") != 0) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            available = 0;
        }
    }
    return available == 1;
}

bool DesktopMode(int* width, int* height, int* refreshRate)
{
    SDL_DisplayMode mode;
    if (!VideoAvailable() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
    *width = mode.w;
    *height = mode.h;
    *refreshRate = mode.refresh_rate ? mode.refresh_rate : 60;
    return true;
}

void RequestGLAttributes()
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // With 8 bits of stencil beside it (never used): asked alone, a deeper 32-bit depth buffer
    // would be preferred, and it would not round depths as the back buffer's 24 bits do.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
}

} // namespace sdl
} // namespace platform
