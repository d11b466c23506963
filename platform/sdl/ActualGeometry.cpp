// A window's geometry asked of the display system itself.

#include "platform/sdl/RenderWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace platform {
namespace sdl {

WindowGeometry ActualGeometry(SDL_Window* window, int expectedWidth, int expectedHeight)
{
    WindowGeometry g;
    SDL_GetWindowPosition(window, &g.x, &g.y);
    SDL_GetWindowSize(window, &g.width, &g.height);
    // Asking the display costs two round trips: a window at rest is left to SDL.
    if (!(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) && g.width == expectedWidth &&
        g.height == expectedHeight)
        return g;
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        Display* display = info.info.x11.display;
        XWindowAttributes attributes;
        ::Window child;
        int x = 0, y = 0;
        if (XGetWindowAttributes(display, info.info.x11.window, &attributes) &&
            XTranslateCoordinates(display, info.info.x11.window, attributes.root, 0, 0, &x, &y, &child))
            g = WindowGeometry{x, y, attributes.width, attributes.height};
    }
#endif
    return g;
}

} // namespace sdl
} // namespace platform
