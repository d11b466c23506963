// The windows the render device can draw into: those the window code knows (through its
// lookup) and the test windows of platform/testing_render.h.

#include "platform/sdl/RenderWindow.h"
#include "platform/testing_render.h"

#include <SDL.h>

#include <cstdlib>
#include <map>
#include <mutex>

namespace platform {
namespace sdl {
namespace {

std::mutex g_Lock;
RenderWindowLookup g_Lookup = nullptr;
std::map<HWND, RenderWindow> g_TestWindows;
int g_NextVirtual = 1;

} // namespace

void SetRenderWindowLookup(RenderWindowLookup lookup)
{
    std::lock_guard<std::mutex> guard(g_Lock);
    g_Lookup = lookup;
}

bool LookUpRenderWindow(HWND handle, RenderWindow* out)
{
    RenderWindowLookup lookup;
    {
        std::lock_guard<std::mutex> guard(g_Lock);
        auto it = g_TestWindows.find(handle);
        if (it != g_TestWindows.end()) {
            *out = it->second;
            return true;
        }
        lookup = g_Lookup;
    }
    return lookup && lookup(handle, out);
}

bool VideoAvailable()
{
    static int available = -1;
    if (available < 0) {
        const char* display = std::getenv("DISPLAY");
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        bool any = (display && *display) || (wayland && *wayland);
        available = any && (SDL_WasInit(SDL_INIT_VIDEO) || SDL_InitSubSystem(SDL_INIT_VIDEO) == 0);
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

namespace testing {

HWND CreateRenderTestWindow(int width, int height)
{
    sdl::RenderWindow w;
    w.width = width;
    w.height = height;
    HWND handle;
    if (!IsHeadless()) {
        sdl::RequestGLAttributes();
        w.window = SDL_CreateWindow("render test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                    width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!w.window) return nullptr;
        handle = reinterpret_cast<HWND>(w.window);
    } else {
        std::lock_guard<std::mutex> guard(sdl::g_Lock);
        handle = reinterpret_cast<HWND>(uintptr_t(0x10000 + 16 * sdl::g_NextVirtual++));
    }
    std::lock_guard<std::mutex> guard(sdl::g_Lock);
    sdl::g_TestWindows[handle] = w;
    return handle;
}

void DestroyRenderTestWindow(HWND handle)
{
    sdl::RenderWindow w;
    {
        std::lock_guard<std::mutex> guard(sdl::g_Lock);
        auto it = sdl::g_TestWindows.find(handle);
        if (it == sdl::g_TestWindows.end()) return;
        w = it->second;
        sdl::g_TestWindows.erase(it);
    }
    if (w.window) SDL_DestroyWindow(w.window);
}

} // namespace testing
} // namespace platform
