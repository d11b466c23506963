#pragma once
// The state behind the window, message and DirectInput functions, internal to platform/sdl/.
// One leaf lock guards all of it: the window table, the message queue and the input state
// (key states, the buffered mouse, the cursor and the window geometry). While holding it the layer
// never calls a window procedure, never calls SDL and never takes an engine lock.

#include "platform/dinput8.h"
#include "platform/win32.h"

#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

struct SDL_Window;

namespace platform {
namespace window {

struct WindowClass {
    WNDPROC proc = nullptr;
    HCURSOR cursor = nullptr;
    HINSTANCE module = nullptr;
};

struct Window {
    SDL_Window* sdl = nullptr; // null for a virtual window
    std::string className;
    WNDPROC proc = nullptr;
    HCURSOR classCursor = nullptr;
    DWORD style = 0;
    RECT rect{};               // the client area on the screen
    bool visible = false;
    bool destroyed = false;
};

// One input event, from SDL or injected, before it becomes messages and DirectInput state.
struct InputEvent {
    enum class Kind { Key, Motion, Button, Wheel, Focus, Close, Expose };
    Kind kind = Kind::Key;
    HWND window = nullptr;
    BYTE vk = 0;
    BYTE dik = 0;
    bool down = false;
    bool repeat = false;
    int x = 0, y = 0;       // client position (motion, button)
    int xrel = 0, yrel = 0; // movement (motion)
    int button = 0;         // 1 left, 2 middle, 3 right
    int wheel = 0;          // notches (wheel)
    bool injected = false;  // positions follow the layer's cursor rather than SDL's
};

enum { kMouseBufferEntries = 64 };

// The system arrow shown until the program sets a cursor of its own.
static HCURSOR const kArrowCursor = reinterpret_cast<HCURSOR>(uintptr_t(1));
// The pseudo-window whose rectangle is the display.
static HWND const kDesktopWindow = reinterpret_cast<HWND>(uintptr_t(0x10));

struct CallRecord {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

struct System {
    std::mutex lock;

    std::map<std::string, WindowClass> classes;
    std::map<HWND, Window> windows;
    uintptr_t nextHandle = 0x1000;

    std::deque<MSG> queue;
    bool quitPending = false;
    int quitCode = 0;
    std::vector<HWND> paintPending;

    BYTE vkState[256] = {};      // as of the last key message removed (GetKeyboardState)
    BYTE vkPhysical[256] = {};   // as of the last pumped key event (system-key decision)
    BYTE dikState[256] = {};     // DirectInput keyboard
    DWORD dikDowns[256] = {};    // times each key went down; never reset, keyboards compare with it
    std::deque<DIDEVICEOBJECTDATA> mouseBuffer;
    bool mouseOverflow = false;
    DWORD mouseSequence = 0;
    POINT cursor{};
    POINT pointer{};             // the display's global pointer position as last taken by the pump
    bool pointerTaken = false;

    int showCursorCount = 0;
    HCURSOR currentCursor = kArrowCursor;

};

// Never destroyed: other threads may read input state while the process exits.
System& TheSystem();

// Window lookup under the lock; null when the handle is unknown or destroyed.
Window* FindLive(System& s, HWND handle);
// The first window still alive, or null.
HWND FirstLiveWindow(System& s);

// Main thread: whether real SDL windows can be made now (initialises SDL video on first use).
bool RealWindowsAvailable();

// Turns one event into messages and input state. Called with the lock held.
void ApplyEvent(System& s, const InputEvent& e);

// Calls a window procedure (lock not held) and records the call when asked to.
LRESULT CallProcedure(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Whether the pointer shows over client areas (ShowCursor counter and SetCursor). Lock held.
inline bool PointerShown(const System& s) { return s.showCursorCount >= 0 && s.currentCursor != nullptr; }

// Keys of a US 104-key keyboard.
struct KeyInfo {
    int scancode; // SDL_Scancode
    BYTE vk;
    BYTE dik;
};
const KeyInfo* KeyFromScancode(int scancode);
const KeyInfo* KeyFromVirtualKey(BYTE vk);
const KeyInfo* KeyFromDik(BYTE dik);

} // namespace window
} // namespace platform
