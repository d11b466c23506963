// DirectInput 8 over the input state the pump fills: the keyboard copies the DIK state, the
// mouse pops the buffered entries, both under the layer's input lock. The engine polls the
// keyboard every 50 ms, so a key that went down and up between two reads still reads down once.

#include "platform/sdl/WindowSystem.h"
#include "platform/sdl/Hooks.h"

#include "platform/posix/Hooks.h"

#include <cstring>

using platform::hooks::TakeInjected;
using platform::window::System;
using platform::window::TheSystem;

const DIDATAFORMAT c_dfDIKeyboard = {24, 16, DIDF_RELAXIS, 256, 256, nullptr};
const DIDATAFORMAT c_dfDIMouse = {24, 16, DIDF_RELAXIS, 16, 7, nullptr};

const GUID GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID IID_IDirectInput8A = {0xBF798030, 0x483A, 0x4DA2, {0xAA, 0x99, 0x5D, 0x64, 0xED, 0x36, 0x97, 0x00}};

HRESULT DirectInput8Create(HINSTANCE, DWORD version, REFIID iid, LPVOID* out, void*)
{
    if (!out) return DIERR_INVALIDPARAM;
    *out = nullptr;
    HRESULT hr = TakeInjected("DirectInput8Create");
    if (FAILED(hr)) return hr;
    if (version < DIRECTINPUT_VERSION) return DIERR_OLDDIRECTINPUTVERSION;
    if (version > DIRECTINPUT_VERSION) return DIERR_BETADIRECTINPUTVERSION;
    if (iid != IID_IDirectInput8A) return DIERR_NOINTERFACE;
    *out = new IDirectInput8();
    return DI_OK;
}

IDirectInput8::IDirectInput8() { platform::hooks::CountLiveDirectInput(+1); }
IDirectInput8::~IDirectInput8() { platform::hooks::CountLiveDirectInput(-1); }

ULONG IDirectInput8::AddRef() { return ++m_Refs; }

ULONG IDirectInput8::Release()
{
    const ULONG left = --m_Refs;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectInput8::CreateDevice(REFGUID device, IDirectInputDevice8** out, void*)
{
    if (!out) return DIERR_INVALIDPARAM;
    *out = nullptr;
    HRESULT hr = TakeInjected("IDirectInput8::CreateDevice");
    if (FAILED(hr)) return hr;
    if (device == GUID_SysKeyboard) {
        *out = new IDirectInputDevice8(this, IDirectInputDevice8::Kind::Keyboard);
    } else if (device == GUID_SysMouse) {
        *out = new IDirectInputDevice8(this, IDirectInputDevice8::Kind::Mouse);
    } else {
        return DIERR_DEVICENOTREG;
    }
    return DI_OK;
}

IDirectInputDevice8::IDirectInputDevice8(IDirectInput8* parent, Kind kind) : m_Parent(parent), m_Kind(kind)
{
    if (m_Kind == Kind::Keyboard) {
        System& s = TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        std::memcpy(m_DownsSeen, s.dikDowns, sizeof m_DownsSeen);
    }
    m_Parent->AddRef();
    platform::hooks::CountLiveDirectInputDevices(+1);
}

IDirectInputDevice8::~IDirectInputDevice8()
{
    platform::hooks::CountLiveDirectInputDevices(-1);
    m_Parent->Release();
}

ULONG IDirectInputDevice8::AddRef() { return ++m_Refs; }

ULONG IDirectInputDevice8::Release()
{
    const ULONG left = --m_Refs;
    if (left == 0) delete this;
    return left;
}

// An injected loss leaves the device unacquired, as a real loss does.
HRESULT IDirectInputDevice8::LoseOn(HRESULT hr)
{
    if (hr == DIERR_INPUTLOST || hr == DIERR_NOTACQUIRED) m_Acquired = false;
    return hr;
}

HRESULT IDirectInputDevice8::SetDataFormat(LPCDIDATAFORMAT format)
{
    HRESULT hr = TakeInjected("IDirectInputDevice8::SetDataFormat");
    if (FAILED(hr)) return hr;
    if (!format) return DIERR_INVALIDPARAM;
    if (m_Acquired) return DIERR_ACQUIRED;
    m_Format = format;
    return DI_OK;
}

HRESULT IDirectInputDevice8::SetCooperativeLevel(HWND, DWORD flags)
{
    HRESULT hr = TakeInjected("IDirectInputDevice8::SetCooperativeLevel");
    if (FAILED(hr)) return hr;
    const bool exclusive = (flags & DISCL_EXCLUSIVE) != 0, shared = (flags & DISCL_NONEXCLUSIVE) != 0;
    const bool foreground = (flags & DISCL_FOREGROUND) != 0, background = (flags & DISCL_BACKGROUND) != 0;
    if (exclusive == shared || foreground == background) return DIERR_INVALIDPARAM;
    return DI_OK;
}

HRESULT IDirectInputDevice8::SetProperty(REFDIPROP property, LPCDIPROPHEADER header)
{
    HRESULT hr = TakeInjected("IDirectInputDevice8::SetProperty");
    if (FAILED(hr)) return hr;
    if (!header || header->dwHeaderSize != sizeof(DIPROPHEADER)) return DIERR_INVALIDPARAM;
    if (property.id != DIPROP_BUFFERSIZE.id) return DIERR_UNSUPPORTED;
    if (header->dwSize != sizeof(DIPROPDWORD) || header->dwHow != DIPH_DEVICE) return DIERR_INVALIDPARAM;
    if (m_Acquired) return DIERR_ACQUIRED;
    m_BufferSize = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
    return DI_OK;
}

HRESULT IDirectInputDevice8::Acquire()
{
    HRESULT hr = TakeInjected("IDirectInputDevice8::Acquire");
    if (FAILED(hr)) return hr;
    if (!m_Format) return DIERR_INVALIDPARAM;
    if (m_Acquired) return S_FALSE;
    m_Acquired = true;
    return DI_OK;
}

HRESULT IDirectInputDevice8::Unacquire()
{
    HRESULT hr = TakeInjected("IDirectInputDevice8::Unacquire");
    if (FAILED(hr)) return hr;
    if (!m_Acquired) return S_FALSE;
    m_Acquired = false;
    return DI_OK;
}

HRESULT IDirectInputDevice8::GetDeviceState(DWORD size, LPVOID data)
{
    HRESULT hr = TakeInjected("IDirectInputDevice8::GetDeviceState");
    if (FAILED(hr)) return LoseOn(hr);
    if (!data || !m_Format || size != m_Format->dwDataSize) return DIERR_INVALIDPARAM;
    if (!m_Acquired) return DIERR_NOTACQUIRED;
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    if (m_Kind == Kind::Keyboard) {
        BYTE* keys = static_cast<BYTE*>(data);
        for (int k = 0; k < 256; ++k) {
            keys[k] = BYTE(s.dikState[k] | (s.dikDowns[k] != m_DownsSeen[k] ? 0x80 : 0));
            m_DownsSeen[k] = s.dikDowns[k];
        }
    } else {
        // Axes are only reported through the buffer here.
        std::memset(data, 0, size);
    }
    return DI_OK;
}

HRESULT IDirectInputDevice8::GetDeviceData(DWORD entrySize, LPDIDEVICEOBJECTDATA data, DWORD* count, DWORD flags)
{
    HRESULT hr = TakeInjected("IDirectInputDevice8::GetDeviceData");
    if (FAILED(hr)) {
        if (count) *count = 0;
        return LoseOn(hr);
    }
    if (!count) return DIERR_INVALIDPARAM;
    const DWORD wanted = *count;
    *count = 0;
    if (entrySize != sizeof(DIDEVICEOBJECTDATA) || m_Kind != Kind::Mouse) return DIERR_INVALIDPARAM;
    if (m_BufferSize == 0) return DIERR_NOTBUFFERED;
    if (!m_Acquired) return DIERR_NOTACQUIRED;
    System& s = TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    while (*count < wanted && !s.mouseBuffer.empty()) {
        if (data) data[*count] = s.mouseBuffer.front();
        s.mouseBuffer.pop_front();
        ++*count;
    }
    if (s.mouseOverflow) {
        s.mouseOverflow = false;
        return DI_BUFFEROVERFLOW;
    }
    return DI_OK;
}
