#pragma once
// Test hooks of the window and input layer: feed window input into the same queue and input
// state the pump fills (with or without a display), read back what window procedures received,
// and choose virtual windows. Failure codes are injected per call site with testing.h
// ("RegisterClassExA", "CreateWindowExA", "DirectInput8Create", "IDirectInput8::CreateDevice",
// "IDirectInputDevice8::SetDataFormat", "::SetCooperativeLevel", "::SetProperty", "::Acquire",
// "::GetDeviceState", "::GetDeviceData").

#include "platform/wintypes.h"

#include <string>
#include <vector>

struct MSG;

namespace platform {
namespace testing {

void ResetInputHooks();

// --- Windows -------------------------------------------------------------------------------------
// Virtual windows never touch SDL video: they sit where the test puts them and only get injected
// input. Auto (the default) makes real SDL windows when a display can be opened.
enum class WindowMode { Auto, Virtual };
void SetWindowMode(WindowMode mode);
// Whether windows created now are virtual.
bool WindowsAreVirtual();
// The display rectangle GetDesktopWindow reports for virtual windows (default 1024 x 768).
void SetVirtualDesktop(const RECT& rect);

// --- Input injection -----------------------------------------------------------------------------
// Each call queues one event; the next PeekMessageA turns it into messages and input state, after
// the events SDL delivered. A null window means the first window still alive.
// Keys are given by VK code (the US key that has it; VK_SHIFT is the left Shift).
void InjectKeyDown(BYTE virtualKey, HWND window = nullptr);
void InjectKeyUp(BYTE virtualKey, HWND window = nullptr);
// Moves the pointer to a client position of the window; from then on the cursor follows only
// injected moves (the real pointer is no longer sampled) until ResetAll.
void InjectMouseMove(int clientX, int clientY, HWND window = nullptr);
// button: 1 left, 2 middle, 3 right (SDL's numbering); at the current pointer position.
void InjectMouseButton(int button, bool down, HWND window = nullptr);
void InjectMouseWheel(int notches, HWND window = nullptr);
void InjectFocus(bool gained, HWND window = nullptr);
void InjectCloseRequest(HWND window = nullptr);
// A button event as the display system reports it, at a position in the real window's own
// pixels (which differ from client pixels while a full-screen window is stretched). Needs a display.
void PushNativeMouseButton(HWND window, int button, bool down, int windowX, int windowY);
// A pointer motion as the display system reports it, at a position in the real window's own
// pixels; a pointer warped by another program shows only this way. Needs a display.
void PushNativeMouseMotion(HWND window, int windowX, int windowY);
// Moves the display's pointer to a position in the real window, as a user's hand would.
void WarpNativePointer(HWND window, int windowX, int windowY);
// The real window's size as the display system has it; false for a virtual window.
bool NativeWindowSize(HWND window, int* width, int* height);
// Places a window's client area on the screen (and stops sampling the real position).
void SetWindowScreenPosition(HWND window, int x, int y);
// Gives a window a frame around its client area (border on every side, caption above), as a
// decorated window would have; GetWindowRect and rcWindow grow, the client area stays.
void SetWindowFrame(HWND window, int border, int caption);
// An extra layout entry: ToAscii gives this character for the key, whatever the modifiers.
void MapKeyToCharacter(BYTE virtualKey, BYTE character);

// --- What the windows received -------------------------------------------------------------------
// Every call the layer made into a window procedure (dispatch and the default procedure's own
// calls), oldest first, while recording is on.
struct WindowCall {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};
void RecordWindowCalls(bool enabled);
std::vector<WindowCall> WindowCalls();
void ClearWindowCalls();
// Whether the pointer would show over the client area now (ShowCursor counter and SetCursor).
bool PointerVisible();

// --- DirectInput ---------------------------------------------------------------------------------
// Number of live IDirectInput8 objects and devices.
int LiveDirectInputObjects();
int LiveDirectInputDevices();

} // namespace testing
} // namespace platform
