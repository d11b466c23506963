#pragma once
// The buffered system mouse through DirectInput 8. In mouse mode 0 (windowed) x and y are the
// cursor in client pixels of the window; in any other mode the device's movements drive the axes
// within their limits and x, y end each update at the cursor's screen position.
// Every button change stays visible for at least one update: a change that would undo one made
// earlier in the same update (the release of a short click) waits for the next update.

#include "engine/core/input/SMouse.h"
#include "engine/core/input/dx9/SDI9Device.h"
#include "platform/dinput8.h"

namespace SCore {

class SDI9Mouse : public SMouse {
public:
    SDI9Mouse(IDirectInput8* directInput, int mouseMode, HWND window, DWORD flags);
    ~SDI9Mouse() override;

    void DoUpdate() override;
    void DoKill() override;

private:
    void CreateDevice(IDirectInput8* directInput);
    void SetDataFormat();
    void SetCooperativeLevel();
    void SetProperty();
    void Acquire();
    // One buffered entry; false when there is none or the read did not succeed.
    bool GetDeviceData(DIDEVICEOBJECTDATA& entry);
    void Apply(const DIDEVICEOBJECTDATA& entry, bool changed[8]);
    void HoldBack(int button, bool down);

    SDI9Device m_Device;
    int m_MouseMode = 0;
    // Per button, the changes waiting for later updates; they alternate, so a count says it all.
    int m_HeldBack[8] = {};
};

} // namespace SCore
