#pragma once
// The DirectInput 8 input system: one DirectInput object for the process, the system keyboard
// and the buffered system mouse.

#include "engine/core/input/SInput.h"
#include "platform/dinput8.h"

namespace SCore {

class SDI9Input : public SInput {
public:
    SDI9Input() = default;
    ~SDI9Input() override;

    void CreateInput(int mouseMode, HWND window, DWORD flags, int pressStrategy) override;
    void CreateKeyboard(DWORD flags, int pressStrategy) override;
    void CreateMouse(int mouseMode, DWORD flags) override;
    // The keyboard's update, then the mouse's.
    void Update() override;
    // Releases the DirectInput object; the devices keep it alive until they are released.
    void DoKill() override;
    HWND GetWindow() const override { return m_Window; }

private:
    IDirectInput8* m_DirectInput = nullptr;
    HWND m_Window = nullptr;
};

} // namespace SCore
