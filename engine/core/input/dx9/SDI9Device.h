#pragma once
// The DirectInput device under the keyboard and the mouse: the set-up steps both take, with the
// failure texts naming the device ("keyboard", "mouse"). The owners' methods add the context.

#include "platform/dinput8.h"

namespace SCore {

class SDI9Device {
public:
    SDI9Device(const char* name, HWND window, DWORD flags) : m_Name(name), m_Window(window), m_Flags(flags) {}

    void Create(IDirectInput8* directInput, REFGUID guid);
    void SetDataFormat(const DIDATAFORMAT* format);
    void SetCooperativeLevel();
    // Unacquires and releases the device; nothing without one.
    void Kill();

    HWND Window() const { return m_Window; }
    IDirectInputDevice8* operator->() const { return m_Device; }
    explicit operator bool() const { return m_Device != nullptr; }

private:
    const char* m_Name;
    HWND m_Window;
    DWORD m_Flags;
    IDirectInputDevice8* m_Device = nullptr;
};

} // namespace SCore
