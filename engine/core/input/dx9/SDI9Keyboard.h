#pragma once
// The system keyboard through DirectInput 8: its 256-byte state read into the press strategy.

#include "engine/core/input/SKeyboard.h"
#include "engine/core/input/dx9/SDI9Device.h"
#include "platform/dinput8.h"

namespace SCore {

class SDI9Keyboard : public SKeyboard {
public:
    SDI9Keyboard(IDirectInput8* directInput, HWND window, DWORD flags, int pressStrategy);
    ~SDI9Keyboard() override;

    // Reads the state; a lost device is re-acquired and read again at the next update.
    void DoUpdate() override;
    void DoKill() override;

private:
    void CreateDevice(IDirectInput8* directInput);
    void SetDataFormat();
    void SetCooperativeLevel();
    void Acquire();

    SDI9Device m_Device;
};

} // namespace SCore
