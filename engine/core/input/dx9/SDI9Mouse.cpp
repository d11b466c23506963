#include "engine/core/input/dx9/SDI9Mouse.h"

#include "engine/core/base/TarnCoreDX9Exception.h"
#include "engine/core/input/dx9/DIErrorName.h"
#include "platform/win32.h"

#include <string>

namespace SCore {

static const char* const kTarnSource = "Src\\dx9\\SDI9Mouse";

// A burst of clicks is delayed by at most this many updates per button.
static const int kMaxHeldBack = 8;

SDI9Mouse::SDI9Mouse(IDirectInput8* directInput, int mouseMode, HWND window, DWORD flags)
    : m_Device("mouse", window, flags)
{
    TARN_TRY
    // A half-made device is released here: no destructor runs for a failed constructor.
    try {
        CreateDevice(directInput);
        SetDataFormat();
        SetCooperativeLevel();
        SetProperty();
        Acquire();
    } catch (...) {
        DoKill();
        throw;
    }
    m_MouseMode = mouseMode;
    TARN_CATCH("SDI9Mouse::SDI9Mouse")
}

SDI9Mouse::~SDI9Mouse()
{
    DoKill();
}

void SDI9Mouse::CreateDevice(IDirectInput8* directInput)
{
    TARN_TRY
    m_Device.Create(directInput, GUID_SysMouse);
    TARN_CATCH("SDI9Mouse::CreateDevice")
}

void SDI9Mouse::SetDataFormat()
{
    TARN_TRY
    m_Device.SetDataFormat(&c_dfDIMouse);
    TARN_CATCH("SDI9Mouse::SetDataFormat")
}

void SDI9Mouse::SetCooperativeLevel()
{
    TARN_TRY
    m_Device.SetCooperativeLevel();
    TARN_CATCH("SDI9Mouse::SetCooperativeLevel")
}

void SDI9Mouse::SetProperty()
{
    TARN_TRY
    DIPROPDWORD property{};
    property.diph.dwSize = sizeof(DIPROPDWORD);
    property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    property.diph.dwObj = 0;
    property.diph.dwHow = DIPH_DEVICE;
    property.dwData = 64;
    const HRESULT hr = m_Device->SetProperty(DIPROP_BUFFERSIZE, &property.diph);
    if (hr == DIERR_OBJECTNOTFOUND || hr == DIERR_UNSUPPORTED || hr == DIERR_NOTINITIALIZED ||
        hr == DIERR_INVALIDPARAM)
        ThrowDIError("can't create mouse device : ", hr);
    TARN_CATCH("SDI9Mouse::SetProperty()")
}

void SDI9Mouse::Acquire()
{
    TARN_TRY
    const HRESULT hr = m_Device->Acquire();
    if (hr == DIERR_INVALIDPARAM || hr == DIERR_NOTINITIALIZED) ThrowDIError("can't acquire mouse device : ", hr);
    TARN_CATCH("SDI9Mouse::Acquire")
}

bool SDI9Mouse::GetDeviceData(DIDEVICEOBJECTDATA& entry)
{
    TARN_TRY
    DWORD count = 1;
    const HRESULT hr = m_Device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), &entry, &count, 0);
    if (hr == DIERR_NOTACQUIRED || hr == DIERR_INPUTLOST) {
        SetDataFormat();
        SetCooperativeLevel();
        Acquire();
        return false;
    }
    if (hr == DIERR_NOTBUFFERED || hr == DIERR_NOTINITIALIZED || hr == DIERR_INVALIDPARAM)
        ThrowDIError("can't get mouse state - ", hr);
    // Any other failure ends this update's reading: the count is not to be trusted.
    return SUCCEEDED(hr) && count == 1;
    TARN_CATCH("SDI9Mouse::GetDeviceData")
}

void SDI9Mouse::Apply(const DIDEVICEOBJECTDATA& entry, bool changed[8])
{
    const DWORD offset = entry.dwOfs;
    if (offset > DIMOFS_BUTTON0 + 7) return;
    if (offset >= DIMOFS_BUTTON0) {
        const int button = int(offset - DIMOFS_BUTTON0);
        const bool down = entry.dwData != 0;
        if (m_HeldBack[button] > 0 || (changed[button] && down != IsPressed(button))) {
            HoldBack(button, down);
            return;
        }
        changed[button] = changed[button] || down != IsPressed(button);
        SetButton(button, down);
        return;
    }
    if (offset % 4 != 0 || m_MouseMode == 0) return;
    MoveBy(int(offset / 4), int32_t(entry.dwData));
}

void SDI9Mouse::HoldBack(int button, bool down)
{
    // Where the button ends once the waiting changes are applied: a repeat of that is no change.
    const bool reached = IsPressed(button) != (m_HeldBack[button] % 2 == 1);
    if (down == reached) return;
    // At the limit the newest waiting change and this one cancel out; the button still ends right.
    if (m_HeldBack[button] < kMaxHeldBack) {
        ++m_HeldBack[button];
    } else {
        --m_HeldBack[button];
    }
}

void SDI9Mouse::DoUpdate()
{
    TARN_TRY
    if (!m_Device) return;
    bool changed[8] = {};
    for (int button = 0; button < 8; ++button) {
        if (m_HeldBack[button] == 0) continue;
        --m_HeldBack[button];
        SetButton(button, !IsPressed(button));
        changed[button] = true;
    }
    DIDEVICEOBJECTDATA entry;
    while (GetDeviceData(entry)) Apply(entry, changed);

    POINT cursor{};
    GetCursorPos(&cursor);
    if (m_MouseMode == 0) {
        // Client pixels: the cursor less the client area's top-left corner.
        WINDOWINFO info{};
        info.cbSize = sizeof(info);
        GetWindowInfo(m_Device.Window(), &info);
        MoveTo(AxisX, cursor.x - info.rcClient.left);
        MoveTo(AxisY, cursor.y - info.rcClient.top);
    } else {
        MoveTo(AxisX, cursor.x);
        MoveTo(AxisY, cursor.y);
    }
    TARN_CATCH("SDI9Mouse::DoUpdate")
}

void SDI9Mouse::DoKill()
{
    m_Device.Kill();
}

} // namespace SCore
