// Window classes, windows and their geometry, and the cursor, on SDL2. Every SDL call is made on
// the main thread; other threads read the geometry and cursor the pump cached.

#include "platform/sdl/WindowSystem.h"
#include "platform/sdl/Hooks.h"

#include "platform/sdl/RenderWindow.h"

#include "platform/posix/Hooks.h"

#include <SDL.h>

#include <algorithm>

namespace platform {
namespace window {
namespace {

HINSTANCE const kModule = reinterpret_cast<HINSTANCE>(uintptr_t(0x400000));

SDL_Window* CreateSdlWindow(LPCSTR title, DWORD style, int x, int y, int width, int height)
{
    platform::sdl::RequestGLAttributes();
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (style & WS_POPUP) flags |= SDL_WINDOW_BORDERLESS;
    const int px = x == CW_USEDEFAULT ? int(SDL_WINDOWPOS_UNDEFINED) : x;
    const int py = y == CW_USEDEFAULT ? int(SDL_WINDOWPOS_UNDEFINED) : y;
    return SDL_CreateWindow(title ? title : "", px, py, width, height, flags);
}

// The render device finds the SDL window (null when virtual) and client size of a handle here.
// A destroyed window stays drawable until its class goes.
bool LookUpForRender(HWND handle, sdl::RenderWindow* out)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    auto it = s.windows.find(handle);
    if (it == s.windows.end()) return false;
    out->window = it->second.sdl;
    out->width = it->second.rect.right - it->second.rect.left;
    out->height = it->second.rect.bottom - it->second.rect.top;
    return true;
}

} // namespace
} // namespace window
} // namespace platform

using platform::window::FindLive;
using platform::window::System;
using platform::window::TheSystem;
using platform::window::Window;

HMODULE GetModuleHandleA(LPCSTR name)
{
    return name ? nullptr : platform::window::kModule;
}

HICON LoadIconA(HINSTANCE, LPCSTR) { return nullptr; }
HCURSOR LoadCursorA(HINSTANCE, LPCSTR) { return nullptr; }

ATOM RegisterClassExA(const WNDCLASSEXA* wc)
{
    if (FAILED(platform::hooks::TakeInjected("RegisterClassExA"))) return 0;
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.classes.count(wc->lpszClassName)) return 0;
    s.classes[wc->lpszClassName] = platform::window::WindowClass{wc->lpfnWndProc, wc->hCursor, wc->hInstance};
    return ATOM(s.classes.size());
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE)
{
    if (!className) return FALSE;
    std::vector<SDL_Window*> doomed;
    {
        System& s = TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        if (!s.classes.erase(className)) return FALSE;
        for (auto it = s.windows.begin(); it != s.windows.end();) {
            if (it->second.className == className) {
                if (it->second.sdl) doomed.push_back(it->second.sdl);
                it = s.windows.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (SDL_Window* w : doomed) SDL_DestroyWindow(w);
    return TRUE;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND, HMENU, HINSTANCE, LPVOID)
{
    if (FAILED(platform::hooks::TakeInjected("CreateWindowExA"))) return nullptr;
    if (!className || width <= 0 || height <= 0 || !platform::sdl::FitsSurface(width, height)) return nullptr;
    Window w;
    {
        System& s = TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        auto it = s.classes.find(className);
        if (it == s.classes.end()) return nullptr;
        w.className = className;
        w.proc = it->second.proc;
        w.classCursor = it->second.cursor;
    }
    w.style = style;
    int left = x == CW_USEDEFAULT ? 0 : x, top = y == CW_USEDEFAULT ? 0 : y;
    if (platform::window::RealWindowsAvailable()) {
        w.sdl = platform::window::CreateSdlWindow(title, style, x, y, width, height);
        if (!w.sdl) return nullptr;
        SDL_GetWindowPosition(w.sdl, &left, &top);
    }
    w.rect = RECT{left, top, left + width, top + height};
    static const bool registered = (platform::sdl::SetRenderWindowLookup(&platform::window::LookUpForRender), true);
    (void)registered;
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    s.nextHandle += 16;
    HWND handle = reinterpret_cast<HWND>(s.nextHandle);
    s.windows[handle] = w;
    return handle;
}

BOOL DestroyWindow(HWND handle)
{
    WNDPROC proc;
    SDL_Window* sdl;
    {
        System& s = TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        Window* w = FindLive(s, handle);
        if (!w) return FALSE;
        w->destroyed = true;
        w->visible = false;
        proc = w->proc;
        sdl = w->sdl;
        // Messages still queued for the window are dropped with it.
        for (auto it = s.queue.begin(); it != s.queue.end();)
            it = it->hwnd == handle ? s.queue.erase(it) : it + 1;
        s.paintPending.erase(std::remove(s.paintPending.begin(), s.paintPending.end(), handle),
                             s.paintPending.end());
    }
    if (sdl) SDL_HideWindow(sdl);
    platform::window::CallProcedure(proc, handle, WM_DESTROY, 0, 0);
    return TRUE;
}

BOOL IsWindow(HWND handle)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    return FindLive(s, handle) != nullptr;
}

BOOL ShowWindow(HWND handle, int command)
{
    SDL_Window* sdl;
    bool wasVisible;
    const bool show = command != SW_HIDE;
    {
        System& s = TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        Window* w = FindLive(s, handle);
        if (!w) return FALSE;
        wasVisible = w->visible;
        w->visible = show;
        sdl = w->sdl;
        if (show) {
            platform::window::InputEvent expose;
            expose.kind = platform::window::InputEvent::Kind::Expose;
            expose.window = handle;
            platform::window::ApplyEvent(s, expose);
        }
    }
    if (sdl) show ? SDL_ShowWindow(sdl) : SDL_HideWindow(sdl);
    return wasVisible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND) { return TRUE; }

BOOL AdjustWindowRect(RECT* rect, DWORD, BOOL) { return rect ? TRUE : FALSE; }

BOOL GetWindowRect(HWND handle, RECT* rect)
{
    if (!rect) return FALSE;
    if (handle == platform::window::kDesktopWindow) {
        {
            System& s = TheSystem();
            std::lock_guard<std::mutex> guard(s.lock);
            if (platform::hooks::WindowsForcedVirtual() || !SDL_WasInit(SDL_INIT_VIDEO)) {
                *rect = platform::hooks::HeadlessDesktop();
                return TRUE;
            }
        }
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(0, &bounds) != 0) return FALSE;
        *rect = RECT{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
        return TRUE;
    }
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    Window* w = FindLive(s, handle);
    if (!w) return FALSE;
    *rect = platform::hooks::OuterRect(handle, w->rect);
    return TRUE;
}

BOOL GetClientRect(HWND handle, RECT* rect)
{
    if (!rect) return FALSE;
    if (handle == platform::window::kDesktopWindow) {
        RECT r;
        if (!GetWindowRect(handle, &r)) return FALSE;
        *rect = RECT{0, 0, r.right - r.left, r.bottom - r.top};
        return TRUE;
    }
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    Window* w = FindLive(s, handle);
    if (!w) return FALSE;
    *rect = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    return TRUE;
}

BOOL GetWindowInfo(HWND handle, WINDOWINFO* info)
{
    if (!info) return FALSE;
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    Window* w = FindLive(s, handle);
    if (!w) return FALSE;
    *info = WINDOWINFO{};
    info->cbSize = sizeof(WINDOWINFO);
    info->rcWindow = platform::hooks::OuterRect(handle, w->rect);
    info->rcClient = w->rect;
    info->dwStyle = w->style | (w->visible ? WS_VISIBLE : 0u);
    return TRUE;
}

HWND GetDesktopWindow() { return platform::window::kDesktopWindow; }

LONG GetWindowLongA(HWND handle, int index)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    Window* w = FindLive(s, handle);
    if (!w || index != GWL_STYLE) return 0;
    return LONG(w->style);
}

BOOL SetWindowPos(HWND handle, HWND, int x, int y, int width, int height, UINT flags)
{
    SDL_Window* sdl;
    {
        System& s = TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        Window* w = FindLive(s, handle);
        if (!w) return FALSE;
        w->rect = RECT{x, y, x + width, y + height};
        if (flags & SWP_SHOWWINDOW) w->visible = true;
        sdl = w->sdl;
    }
    if (sdl) {
        SDL_SetWindowPosition(sdl, x, y);
        SDL_SetWindowSize(sdl, width, height);
        if (flags & SWP_SHOWWINDOW) SDL_ShowWindow(sdl);
    }
    return TRUE;
}

DWORD GetClassLongA(HWND handle, int index)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    Window* w = FindLive(s, handle);
    if (!w || index != GCL_HCURSOR) return 0;
    return DWORD(reinterpret_cast<uintptr_t>(w->classCursor));
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR previous;
    bool shown;
    {
        System& s = TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        previous = s.currentCursor;
        s.currentCursor = cursor;
        shown = platform::window::PointerShown(s);
    }
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
    return previous;
}

int ShowCursor(BOOL show)
{
    int count;
    bool shown;
    {
        System& s = TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        count = show ? ++s.showCursorCount : --s.showCursorCount;
        shown = platform::window::PointerShown(s);
    }
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
    return count;
}

BOOL GetCursorPos(POINT* point)
{
    if (!point) return FALSE;
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    *point = s.cursor;
    return TRUE;
}
