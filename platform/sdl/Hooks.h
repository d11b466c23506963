#pragma once
// What the window and input layer asks its test hooks of testing_input.h (their state lives in
// sdl/TestHooks.cpp). Except for the live counts, every call is made with the window system's
// lock held: the hooks share it with the queue and the input state they feed. Internal to
// platform/.

#include "platform/sdl/WindowSystem.h"

namespace platform {
namespace hooks {

// Whether a test made every new window virtual.
bool WindowsForcedVirtual();
// The display rectangle reported while there is no display to ask.
RECT HeadlessDesktop();
// Whether the cursor follows injected moves only (the real pointer is no longer sampled).
bool CursorPinned();
// Whether a test placed the window (its real position is no longer sampled).
bool PositionPinned(HWND window);
// The window's rectangle with the frame a test gave it around the client area (none: the client).
RECT OuterRect(HWND window, const RECT& client);
// A test's extra keyboard layout entry for the key; false when none.
bool ExtraCharacter(BYTE virtualKey, BYTE* character);
// The oldest injected input event not yet pumped; false when none is left.
bool TakeInjectedInput(window::InputEvent* event);
// Keeps a call into a window procedure while a test records them.
void RecordWindowCall(const window::CallRecord& call);
// Live DirectInput objects and devices, for the leak checks.
void CountLiveDirectInput(int delta);
void CountLiveDirectInputDevices(int delta);

} // namespace hooks
} // namespace platform
