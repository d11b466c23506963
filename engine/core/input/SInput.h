#pragma once
// The input system: a keyboard and a mouse created for one window and updated on request (by the
// input thread every pass).

#include "engine/core/input/SKeyboard.h"
#include "engine/core/input/SMouse.h"
#include "platform/wintypes.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

class SInput {
public:
    virtual ~SInput()
    {
        m_Mouse.reset();
        m_Keyboard.reset();
    }

    virtual void CreateInput(int mouseMode, HWND window, DWORD flags, int pressStrategy) = 0;
    virtual void CreateKeyboard(DWORD flags, int pressStrategy) = 0;
    virtual void CreateMouse(int mouseMode, DWORD flags) = 0;
    virtual void Update() = 0;
    virtual void DoKill() = 0;
    // The window the devices were created for.
    virtual HWND GetWindow() const = 0;

    boost::shared_ptr<SMouse> GetMouse() const { return m_Mouse; }
    boost::shared_ptr<SKeyboard> GetKeyboard() const { return m_Keyboard; }

protected:
    boost::shared_ptr<SMouse> m_Mouse;
    boost::shared_ptr<SKeyboard> m_Keyboard;
};

} // namespace SCore
