// The message queue and its pump. PeekMessageA is the only place SDL events are read: it turns
// them (and the injected ones, and quit signals) into window messages and DirectInput state, then
// samples the cursor and window positions for the other threads.

#include "platform/sdl/WindowSystem.h"
#include "platform/sdl/Hooks.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/posix/QuitSignals.h"

#include <SDL.h>

#include <algorithm>
#include <utility>

namespace platform {
namespace window {
namespace {

struct KnownWindow {
    SDL_Window* sdl;
    HWND handle;
    int clientWidth, clientHeight;
    sdl::WindowGeometry actual; // what the display system has, taken at this pump
};

const KnownWindow* Find(const std::vector<KnownWindow>& known, SDL_Window* sdl)
{
    for (const auto& k : known)
        if (k.sdl == sdl) return &k;
    return nullptr;
}

HWND WindowOf(const std::vector<KnownWindow>& known, Uint32 id)
{
    const KnownWindow* k = Find(known, SDL_GetWindowFromID(id));
    return k ? k->handle : nullptr;
}

// In full screen the SDL window covers the display while the client area keeps the back
// buffer's size and the picture is stretched at present; window positions are scaled back to
// client pixels. A window of its client's size (full screen refused) is left as it is.
void ToClient(const std::vector<KnownWindow>& known, Uint32 id, int& x, int& y)
{
    const KnownWindow* k = Find(known, SDL_GetWindowFromID(id));
    if (!k) return;
    const int width = k->actual.width, height = k->actual.height;
    if (width <= 0 || height <= 0 || (width == k->clientWidth && height == k->clientHeight)) return;
    x = int(int64_t(x) * k->clientWidth / width);
    y = int(int64_t(y) * k->clientHeight / height);
}

bool Translate(const SDL_Event& ev, const std::vector<KnownWindow>& known, InputEvent& e)
{
    switch (ev.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const KeyInfo* key = KeyFromScancode(ev.key.keysym.scancode);
        if (!key) return false;
        e.kind = InputEvent::Kind::Key;
        e.window = WindowOf(known, ev.key.windowID);
        e.vk = key->vk;
        e.dik = key->dik;
        e.down = ev.type == SDL_KEYDOWN;
        e.repeat = ev.key.repeat != 0;
        return e.window != nullptr;
    }
    case SDL_MOUSEMOTION:
        e.kind = InputEvent::Kind::Motion;
        e.window = WindowOf(known, ev.motion.windowID);
        e.x = ev.motion.x;
        e.y = ev.motion.y;
        e.xrel = ev.motion.xrel;
        e.yrel = ev.motion.yrel;
        ToClient(known, ev.motion.windowID, e.x, e.y);
        ToClient(known, ev.motion.windowID, e.xrel, e.yrel);
        return e.window != nullptr;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        e.kind = InputEvent::Kind::Button;
        e.window = WindowOf(known, ev.button.windowID);
        e.button = ev.button.button;
        e.down = ev.type == SDL_MOUSEBUTTONDOWN;
        e.x = ev.button.x;
        e.y = ev.button.y;
        ToClient(known, ev.button.windowID, e.x, e.y);
        return e.window != nullptr;
    case SDL_MOUSEWHEEL:
        e.kind = InputEvent::Kind::Wheel;
        e.window = WindowOf(known, ev.wheel.windowID);
        e.wheel = ev.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -ev.wheel.y : ev.wheel.y;
        return e.window != nullptr;
    case SDL_QUIT:
        e.kind = InputEvent::Kind::Close;
        return true;
    case SDL_WINDOWEVENT:
        e.window = WindowOf(known, ev.window.windowID);
        if (!e.window) return false;
        switch (ev.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: e.kind = InputEvent::Kind::Focus; e.down = true; return true;
        case SDL_WINDOWEVENT_FOCUS_LOST: e.kind = InputEvent::Kind::Focus; e.down = false; return true;
        case SDL_WINDOWEVENT_CLOSE: e.kind = InputEvent::Kind::Close; return true;
        case SDL_WINDOWEVENT_EXPOSED: e.kind = InputEvent::Kind::Expose; return true;
        default: return false;
        }
    default:
        return false;
    }
}

void Pump()
{
    System& s = TheSystem();
    std::vector<KnownWindow> known;
    bool pointerTaken = false;
    POINT pointerBefore{};
    {
        std::lock_guard<std::mutex> guard(s.lock);
        pointerTaken = s.pointerTaken;
        pointerBefore = s.pointer;
        for (const auto& w : s.windows)
            if (w.second.sdl && !w.second.destroyed)
                known.push_back(KnownWindow{w.second.sdl, w.first, int(w.second.rect.right - w.second.rect.left),
                                            int(w.second.rect.bottom - w.second.rect.top), {}});
    }
    std::vector<InputEvent> events;
    bool cursorSampled = false;
    POINT cursor{}, pointer{};
    std::vector<std::pair<HWND, POINT>> positions;
    if (signals::TakeQuitRequest()) {
        InputEvent quit;
        quit.kind = InputEvent::Kind::Close;
        events.push_back(quit);
    }
    if (SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_PumpEvents();
        for (auto& k : known) k.actual = sdl::ActualGeometry(k.sdl, k.clientWidth, k.clientHeight);
        SDL_Event ev;
        while (SDL_PollEvent(&ev)) {
            InputEvent e;
            if (Translate(ev, known, e)) events.push_back(e);
        }
    }
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        if (!known.empty()) {
            // X11 refreshes SDL's global pointer position only on device input: a pointer warped by
            // another program keeps its old one and shows only as motion in our windows, which
            // places the cursor (ApplyMotion). So the global position is taken only when it changed.
            int x = 0, y = 0;
            SDL_GetGlobalMouseState(&x, &y);
            pointer = cursor = POINT{x, y};
            cursorSampled = !pointerTaken || x != pointerBefore.x || y != pointerBefore.y;
            for (const auto& k : known) {
                const int left = k.actual.x, top = k.actual.y;
                positions.emplace_back(k.handle, POINT{left, top});
                if (SDL_GetMouseFocus() == k.sdl) {
                    // Over a stretched window the cursor is reported in its client pixels.
                    int cx = x - left, cy = y - top;
                    ToClient(known, SDL_GetWindowID(k.sdl), cx, cy);
                    cursor = POINT{left + cx, top + cy};
                }
            }
        }
    }
    std::lock_guard<std::mutex> guard(s.lock);
    for (const auto& p : positions) {
        Window* w = FindLive(s, p.first);
        if (!w || hooks::PositionPinned(p.first)) continue;
        const LONG width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
        w->rect = RECT{p.second.x, p.second.y, p.second.x + width, p.second.y + height};
    }
    for (const InputEvent& e : events) ApplyEvent(s, e);
    InputEvent injected;
    while (hooks::TakeInjectedInput(&injected)) ApplyEvent(s, injected);
    if (!cursorSampled) return;
    s.pointer = pointer;
    s.pointerTaken = true;
    if (!hooks::CursorPinned()) s.cursor = cursor;
}

// What GetKeyboardState reports follows the key messages as they are removed.
void TrackKeyState(System& s, const MSG& m)
{
    const bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
    if (!down && m.message != WM_KEYUP && m.message != WM_SYSKEYUP) return;
    const DWORD lParam = DWORD(m.lParam);
    const BYTE dik = BYTE(((lParam >> 16) & 0x7F) | ((lParam & (1u << 24)) ? 0x80 : 0));
    const KeyInfo* key = KeyFromDik(dik);
    const BYTE vk = key ? key->vk : BYTE(m.wParam);
    if (down && vk == VK_CAPITAL && !(lParam & (1u << 30))) s.vkState[VK_CAPITAL] ^= 0x01;
    s.vkState[vk] = BYTE((s.vkState[vk] & 0x01) | (down ? 0x80 : 0));
    s.vkState[VK_SHIFT] = (s.vkState[VK_LSHIFT] | s.vkState[VK_RSHIFT]) & 0x80;
    s.vkState[VK_CONTROL] = (s.vkState[VK_LCONTROL] | s.vkState[VK_RCONTROL]) & 0x80;
    s.vkState[VK_MENU] = (s.vkState[VK_LMENU] | s.vkState[VK_RMENU]) & 0x80;
}

} // namespace
} // namespace window
} // namespace platform

using platform::window::System;
using platform::window::TheSystem;

// The window filter and message range are not applied: the engine asks for every message.
BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeFlags)
{
    if (!msg) return FALSE;
    platform::window::Pump();
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!s.queue.empty()) {
        *msg = s.queue.front();
        if (remove) {
            s.queue.pop_front();
            platform::window::TrackKeyState(s, *msg);
        }
        return TRUE;
    }
    if (s.quitPending) {
        *msg = MSG{nullptr, WM_QUIT, WPARAM(s.quitCode), 0, timeGetTime(), s.cursor};
        if (remove) s.quitPending = false;
        return TRUE;
    }
    if (!s.paintPending.empty()) {
        *msg = MSG{s.paintPending.front(), WM_PAINT, 0, 0, timeGetTime(), s.cursor};
        // The default procedure validates the window; until then it stays pending.
        return TRUE;
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* msg) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg)
{
    if (!msg || !msg->hwnd) return 0;
    WNDPROC proc;
    {
        System& s = TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        platform::window::Window* w = platform::window::FindLive(s, msg->hwnd);
        if (!w) return 0;
        proc = w->proc;
    }
    return platform::window::CallProcedure(proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_PAINT: {
        System& s = TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        s.paintPending.erase(std::remove(s.paintPending.begin(), s.paintPending.end(), window),
                             s.paintPending.end());
        return 0;
    }
    default:
        return 0; // WM_SETCURSOR: FALSE, the procedure set no cursor
    }
}

void PostQuitMessage(int exitCode)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    s.quitPending = true;
    s.quitCode = exitCode;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    if (window && !platform::window::FindLive(s, window)) return FALSE;
    s.queue.push_back(MSG{window, message, wParam, lParam, timeGetTime(), s.cursor});
    return TRUE;
}
