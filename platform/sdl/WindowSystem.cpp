// The shared window state and the translation of input events into messages and DirectInput
// state.

#include "platform/sdl/WindowSystem.h"

#include "platform/display.h"
#include "platform/sdl/Hooks.h"

#include <SDL.h>

#include <algorithm>

namespace platform {
namespace window {
namespace {

BYTE GenericKey(BYTE vk)
{
    switch (vk) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return vk;
    }
}

void Post(System& s, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG m{window, message, wParam, lParam, timeGetTime(), s.cursor};
    s.queue.push_back(m);
}

// A full buffer merges movements of one axis into its newest entry; button entries are never
// dropped. The next read reports the overflow.
void PushMouse(System& s, DWORD offset, DWORD data)
{
    if (s.mouseBuffer.size() >= kMouseBufferEntries) {
        s.mouseOverflow = true;
        if (offset < DIMOFS_BUTTON0) {
            for (auto it = s.mouseBuffer.rbegin(); it != s.mouseBuffer.rend(); ++it) {
                if (it->dwOfs == offset) {
                    it->dwData = DWORD(LONG(it->dwData) + LONG(data));
                    return;
                }
            }
        }
    }
    s.mouseBuffer.push_back(DIDEVICEOBJECTDATA{offset, data, timeGetTime(), ++s.mouseSequence, 0});
}

void ApplyKey(System& s, HWND target, const InputEvent& e)
{
    const bool altHeld = ((s.vkPhysical[VK_LMENU] | s.vkPhysical[VK_RMENU]) & 0x80) != 0;
    const bool wasDown = (s.vkPhysical[e.vk] & 0x80) != 0;
    s.vkPhysical[e.vk] = e.down ? 0x80 : 0;
    if (e.down && !(s.dikState[e.dik] & 0x80)) ++s.dikDowns[e.dik];
    s.dikState[e.dik] = e.down ? 0x80 : 0;
    if (!target) return;
    const BYTE generic = GenericKey(e.vk);
    const bool system = altHeld || generic == VK_MENU || e.vk == VK_F10;
    const UINT message = e.down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    DWORD lParam = 1u | (DWORD(e.dik & 0x7F) << 16) | ((e.dik & 0x80) ? (1u << 24) : 0u);
    if (e.down) {
        if (wasDown || e.repeat) lParam |= 1u << 30;
    } else {
        lParam |= (1u << 30) | (1u << 31);
    }
    Post(s, target, message, generic, LPARAM(LONG(lParam)));
}

void ApplyMotion(System& s, Window* w, HWND target, const InputEvent& e)
{
    if (e.xrel != 0) PushMouse(s, DIMOFS_X, DWORD(LONG(e.xrel)));
    if (e.yrel != 0) PushMouse(s, DIMOFS_Y, DWORD(LONG(e.yrel)));
    if (!w) return;
    s.cursor = POINT{w->rect.left + e.x, w->rect.top + e.y};
    const bool inside = e.x >= 0 && e.y >= 0 && e.x < w->rect.right - w->rect.left &&
                        e.y < w->rect.bottom - w->rect.top;
    if (!inside) return;
    // At most one pending: a newer one replaces it.
    s.queue.erase(std::remove_if(s.queue.begin(), s.queue.end(),
                                 [&](const MSG& m) { return m.message == WM_SETCURSOR && m.hwnd == target; }),
                  s.queue.end());
    Post(s, target, WM_SETCURSOR, WPARAM(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void ApplyButton(System& s, HWND target, const InputEvent& e)
{
    // SDL numbers left 1, middle 2, right 3; DirectInput buttons are left 0, right 1, middle 2.
    int index = e.button == 1 ? 0 : e.button == 3 ? 1 : e.button == 2 ? 2 : e.button - 1;
    if (index >= 0 && index < 8) PushMouse(s, DIMOFS_BUTTON0 + DWORD(index), e.down ? 0x80u : 0u);
    if (!target) return;
    UINT message = 0;
    if (e.button == 1) message = e.down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    if (e.button == 3) message = e.down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    if (message) Post(s, target, message, 0, MAKELPARAM(e.x, e.y));
}

} // namespace

System& TheSystem()
{
    static System* system = new System;
    return *system;
}

Window* FindLive(System& s, HWND handle)
{
    auto it = s.windows.find(handle);
    if (it == s.windows.end() || it->second.destroyed) return nullptr;
    return &it->second;
}

HWND FirstLiveWindow(System& s)
{
    for (auto& entry : s.windows)
        if (!entry.second.destroyed) return entry.first;
    return nullptr;
}

bool RealWindowsAvailable()
{
    {
        System& s = TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        if (hooks::WindowsForcedVirtual()) return false;
    }
    return CurrentDisplayDriver() == DisplayDriver::OpenGL;
}

void ApplyEvent(System& s, const InputEvent& event)
{
    InputEvent e = event;
    const HWND target = e.window ? e.window : FirstLiveWindow(s);
    Window* w = FindLive(s, target);
    const HWND live = w ? target : nullptr;
    if (e.injected && w) {
        if (e.kind == InputEvent::Kind::Motion) {
            e.xrel = w->rect.left + e.x - s.cursor.x;
            e.yrel = w->rect.top + e.y - s.cursor.y;
        } else if (e.kind == InputEvent::Kind::Button) {
            e.x = s.cursor.x - w->rect.left;
            e.y = s.cursor.y - w->rect.top;
        }
    }
    switch (e.kind) {
    case InputEvent::Kind::Key: ApplyKey(s, live, e); break;
    case InputEvent::Kind::Motion: ApplyMotion(s, w, live, e); break;
    case InputEvent::Kind::Button: ApplyButton(s, live, e); break;
    case InputEvent::Kind::Wheel: PushMouse(s, DIMOFS_Z, DWORD(LONG(e.wheel * 120))); break;
    case InputEvent::Kind::Focus:
        if (live) Post(s, live, e.down ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
        break;
    case InputEvent::Kind::Close:
        if (live) Post(s, live, WM_CLOSE, 0, 0);
        break;
    case InputEvent::Kind::Expose:
        if (live && std::find(s.paintPending.begin(), s.paintPending.end(), live) == s.paintPending.end())
            s.paintPending.push_back(live);
        break;
    }
}

LRESULT CallProcedure(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = proc ? proc(window, message, wParam, lParam) : 0;
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    hooks::RecordWindowCall(CallRecord{window, message, wParam, lParam, result});
    return result;
}

} // namespace window

} // namespace platform
