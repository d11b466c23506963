#include "engine/core/input/dx9/SDI9Keyboard.h"

#include "engine/core/base/TarnCoreDX9Exception.h"

namespace SCore {

static const char* const kTarnSource = "Src\\dx9\\SDI9Keyboard";

SDI9Keyboard::SDI9Keyboard(IDirectInput8* directInput, HWND window, DWORD flags, int pressStrategy)
    : m_Device("keyboard", window, flags)
{
    TARN_TRY
    m_Strategy = CreateKeyboardPressStrategy(pressStrategy);
    // A half-made device is released here: no destructor runs for a failed constructor.
    try {
        CreateDevice(directInput);
        SetDataFormat();
        SetCooperativeLevel();
        Acquire();
    } catch (...) {
        DoKill();
        throw;
    }
    TARN_CATCH("SDI9Keyboard::SDI9Keyboard")
}

SDI9Keyboard::~SDI9Keyboard()
{
    DoKill();
}

void SDI9Keyboard::CreateDevice(IDirectInput8* directInput)
{
    TARN_TRY
    m_Device.Create(directInput, GUID_SysKeyboard);
    TARN_CATCH("SDI9Keyboard::CreateDevice")
}

void SDI9Keyboard::SetDataFormat()
{
    TARN_TRY
    m_Device.SetDataFormat(&c_dfDIKeyboard);
    TARN_CATCH("SDI9Keyboard::SetDataFormat")
}

void SDI9Keyboard::SetCooperativeLevel()
{
    TARN_TRY
    m_Device.SetCooperativeLevel();
    TARN_CATCH("SDI9Keyboard::SetCooperativeLevel")
}

void SDI9Keyboard::Acquire()
{
    TARN_TRY
    const HRESULT hr = m_Device->Acquire();
    if (hr == DIERR_INVALIDPARAM) throw TarnCoreDX9Exception("can't acquire keyboard device : DIERR_INVALIDPARAM:");
    if (hr == DIERR_NOTINITIALIZED)
        throw TarnCoreDX9Exception("can't acquire keyboard device : DIERR_NOTINITIALIZED");
    TARN_CATCH("SDI9Keyboard::Acquire")
}

void SDI9Keyboard::DoUpdate()
{
    TARN_TRY
    if (!m_Device) return;
    BYTE state[256];
    const HRESULT hr = m_Device->GetDeviceState(sizeof(state), state);
    if (hr == DIERR_INPUTLOST || hr == DIERR_NOTACQUIRED) {
        SetDataFormat();
        SetCooperativeLevel();
        Acquire();
        return;
    }
    if (FAILED(hr)) throw TarnCoreDX9Exception("can't get keyboard state");
    m_Strategy->SetState(state);
    TARN_CATCH("SDI9Keyboard::DoUpdate")
}

void SDI9Keyboard::DoKill()
{
    m_Device.Kill();
}

} // namespace SCore
