#include "engine/core/input/dx9/SDI9Device.h"

#include "engine/core/base/TarnCoreDX9Exception.h"
#include "engine/core/input/dx9/DIErrorName.h"

#include <string>

namespace SCore {

void SDI9Device::Create(IDirectInput8* directInput, REFGUID guid)
{
    TARN_ASSERT(directInput != 0);
    const std::string prefix = std::string("can't create ") + m_Name + " device";
    const HRESULT hr = directInput->CreateDevice(guid, &m_Device, nullptr);
    switch (hr) {
    case DIERR_DEVICENOTREG: throw TarnCoreDX9Exception(prefix + ": DIERR_DEVICENOTREG");
    case DIERR_NOINTERFACE:
    case DIERR_OUTOFMEMORY:
    case DIERR_INVALIDPARAM:
    case DIERR_NOTINITIALIZED: ThrowDIError((prefix + " : ").c_str(), hr);
    default:
        if (FAILED(hr) || !m_Device) {
            m_Device = nullptr;
            throw TarnCoreDX9Exception(prefix + " : UNKNOWN ERROR");
        }
    }
}

void SDI9Device::SetDataFormat(const DIDATAFORMAT* format)
{
    const HRESULT hr = m_Device->SetDataFormat(format);
    if (hr == DIERR_ACQUIRED || hr == DIERR_INVALIDPARAM || hr == DIERR_NOTINITIALIZED)
        ThrowDIError((std::string("can't create ") + m_Name + " device : ").c_str(), hr);
}

void SDI9Device::SetCooperativeLevel()
{
    const HRESULT hr = m_Device->SetCooperativeLevel(m_Window, m_Flags);
    if (hr == DIERR_INVALIDPARAM || hr == DIERR_NOTINITIALIZED)
        ThrowDIError((std::string("can't create ") + m_Name + " device : ").c_str(), hr);
}

void SDI9Device::Kill()
{
    if (!m_Device) return;
    m_Device->Unacquire();
    m_Device->Release();
    m_Device = nullptr;
}

} // namespace SCore
