// The input test hooks (platform/testing_input.h): injected input goes into the same queue and
// input state the pump fills; what the layer asks of them is in platform/sdl/Hooks.h.

#include "platform/sdl/Hooks.h"
#include "platform/sdl/WindowSystem.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/testing.h"
#include "platform/testing_input.h"

#include <SDL.h>

#include <atomic>
#include <map>
#include <set>
#include <utility>

namespace platform {
namespace testing {
namespace {

using window::InputEvent;
using window::System;
using window::TheSystem;

// Guarded by the window system's lock, like the queue and input state they feed.
struct InputHooks {
    std::deque<InputEvent> injected;
    bool virtualMode = false; // every new window is virtual
    RECT virtualDesktop{0, 0, 1024, 768};
    std::map<BYTE, BYTE> extraCharacters;
    bool recordCalls = false;
    std::vector<window::CallRecord> calls;
    bool cursorPinned = false;            // the cursor follows injected moves only
    std::set<HWND> positionsPinned;       // windows a test placed: the real position is not sampled
    std::map<HWND, std::pair<int, int>> frames; // border and caption a test gave a window
};

InputHooks& Hooks()
{
    static InputHooks* hooks = new InputHooks; // never destroyed: windows may outlive main
    return *hooks;
}

std::atomic<int> g_LiveDirectInput{0}, g_LiveDevices{0};

void Inject(InputEvent e)
{
    e.injected = true;
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    if (e.kind == InputEvent::Kind::Motion) Hooks().cursorPinned = true;
    Hooks().injected.push_back(e);
}

InputEvent Event(InputEvent::Kind kind, HWND window)
{
    InputEvent e;
    e.kind = kind;
    e.window = window;
    return e;
}

void InjectKey(BYTE vk, bool down, HWND window)
{
    const window::KeyInfo* key = window::KeyFromVirtualKey(vk);
    if (!key) return;
    InputEvent e = Event(InputEvent::Kind::Key, window);
    e.vk = key->vk;
    e.dik = key->dik;
    e.down = down;
    Inject(e);
}

const ResetRegistration kReset(&ResetInputHooks);

} // namespace

void ResetInputHooks()
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    s.queue.clear();
    s.quitPending = false;
    s.quitCode = 0;
    s.paintPending.clear();
    Hooks().injected.clear();
    std::fill(std::begin(s.vkState), std::end(s.vkState), 0);
    std::fill(std::begin(s.vkPhysical), std::end(s.vkPhysical), 0);
    std::fill(std::begin(s.dikState), std::end(s.dikState), 0);
    s.mouseBuffer.clear();
    s.mouseOverflow = false;
    s.cursor = POINT{0, 0};
    s.pointerTaken = false;
    s.showCursorCount = 0;
    s.currentCursor = window::kArrowCursor;
    Hooks() = InputHooks();
}

void SetWindowMode(WindowMode mode)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    Hooks().virtualMode = mode == WindowMode::Virtual;
}

bool WindowsAreVirtual() { return !window::RealWindowsAvailable(); }

void SetVirtualDesktop(const RECT& rect)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    Hooks().virtualDesktop = rect;
}

void InjectKeyDown(BYTE virtualKey, HWND window) { InjectKey(virtualKey, true, window); }
void InjectKeyUp(BYTE virtualKey, HWND window) { InjectKey(virtualKey, false, window); }

void InjectMouseMove(int clientX, int clientY, HWND window)
{
    InputEvent e = Event(InputEvent::Kind::Motion, window);
    e.x = clientX;
    e.y = clientY;
    Inject(e);
}

void InjectMouseButton(int button, bool down, HWND window)
{
    InputEvent e = Event(InputEvent::Kind::Button, window);
    e.button = button;
    e.down = down;
    Inject(e);
}

static SDL_Window* NativeWindow(HWND window)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    window::Window* w = window::FindLive(s, window);
    return w ? w->sdl : nullptr;
}

void PushNativeMouseButton(HWND window, int button, bool down, int windowX, int windowY)
{
    SDL_Window* sdl = NativeWindow(window);
    if (!sdl) return;
    SDL_Event ev{};
    ev.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    ev.button.windowID = SDL_GetWindowID(sdl);
    ev.button.button = Uint8(button);
    ev.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    ev.button.x = windowX;
    ev.button.y = windowY;
    SDL_PushEvent(&ev);
}

void PushNativeMouseMotion(HWND window, int windowX, int windowY)
{
    SDL_Window* sdl = NativeWindow(window);
    if (!sdl) return;
    SDL_Event ev{};
    ev.type = SDL_MOUSEMOTION;
    ev.motion.windowID = SDL_GetWindowID(sdl);
    ev.motion.x = windowX;
    ev.motion.y = windowY;
    SDL_PushEvent(&ev);
}

void WarpNativePointer(HWND window, int windowX, int windowY)
{
    if (SDL_Window* sdl = NativeWindow(window)) SDL_WarpMouseInWindow(sdl, windowX, windowY);
}

bool NativeWindowSize(HWND window, int* width, int* height)
{
    SDL_Window* sdl = NativeWindow(window);
    if (!sdl) return false;
    const sdl::WindowGeometry g = sdl::ActualGeometry(sdl, 0, 0);
    *width = g.width;
    *height = g.height;
    return true;
}

void InjectMouseWheel(int notches, HWND window)
{
    InputEvent e = Event(InputEvent::Kind::Wheel, window);
    e.wheel = notches;
    Inject(e);
}

void InjectFocus(bool gained, HWND window)
{
    InputEvent e = Event(InputEvent::Kind::Focus, window);
    e.down = gained;
    Inject(e);
}

void InjectCloseRequest(HWND window) { Inject(Event(InputEvent::Kind::Close, window)); }

void SetWindowScreenPosition(HWND handle, int x, int y)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    window::Window* w = window::FindLive(s, handle);
    if (!w) return;
    const LONG width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
    w->rect = RECT{x, y, x + width, y + height};
    Hooks().positionsPinned.insert(handle);
}

void SetWindowFrame(HWND handle, int border, int caption)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    if (window::FindLive(s, handle)) Hooks().frames[handle] = std::make_pair(border, caption);
}

void MapKeyToCharacter(BYTE virtualKey, BYTE character)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    Hooks().extraCharacters[virtualKey] = character;
}

void RecordWindowCalls(bool enabled)
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    Hooks().recordCalls = enabled;
}

std::vector<WindowCall> WindowCalls()
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    std::vector<WindowCall> out;
    for (const auto& c : Hooks().calls) out.push_back(WindowCall{c.window, c.message, c.wParam, c.lParam, c.result});
    return out;
}

void ClearWindowCalls()
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    Hooks().calls.clear();
}

bool PointerVisible()
{
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    return window::PointerShown(s);
}

int LiveDirectInputObjects() { return g_LiveDirectInput.load(); }

int LiveDirectInputDevices() { return g_LiveDevices.load(); }

} // namespace testing

namespace hooks {

using testing::Hooks;

bool WindowsForcedVirtual() { return Hooks().virtualMode; }

RECT HeadlessDesktop() { return Hooks().virtualDesktop; }

bool CursorPinned() { return Hooks().cursorPinned; }

bool PositionPinned(HWND window) { return Hooks().positionsPinned.count(window) != 0; }

RECT OuterRect(HWND window, const RECT& client)
{
    auto it = Hooks().frames.find(window);
    if (it == Hooks().frames.end()) return client;
    const int border = it->second.first, caption = it->second.second;
    return RECT{client.left - border, client.top - border - caption, client.right + border, client.bottom + border};
}

bool ExtraCharacter(BYTE virtualKey, BYTE* character)
{
    auto it = Hooks().extraCharacters.find(virtualKey);
    if (it == Hooks().extraCharacters.end()) return false;
    *character = it->second;
    return true;
}

bool TakeInjectedInput(window::InputEvent* event)
{
    std::deque<window::InputEvent>& injected = Hooks().injected;
    if (injected.empty()) return false;
    *event = injected.front();
    injected.pop_front();
    return true;
}

void RecordWindowCall(const window::CallRecord& call)
{
    if (Hooks().recordCalls) Hooks().calls.push_back(call);
}

void CountLiveDirectInput(int delta) { testing::g_LiveDirectInput += delta; }

void CountLiveDirectInputDevices(int delta) { testing::g_LiveDevices += delta; }

} // namespace hooks
} // namespace platform
