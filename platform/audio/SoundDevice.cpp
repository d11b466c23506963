#include "platform/audio/SoundDevice.h"

#include "platform/audio/AudioMixer.h"
#include "platform/audio/SoundBuffer.h"
#include "platform/audio/Hooks.h"
#include "platform/posix/Hooks.h"

namespace platform {
namespace audio {

SoundDevice::SoundDevice()
{
    hooks::CountLiveSoundDevice(+1);
}

SoundDevice::~SoundDevice()
{
    std::vector<SoundBuffer*> buffers;
    {
        std::lock_guard<std::mutex> guard(m_BuffersLock);
        buffers.swap(m_Buffers);
    }
    for (SoundBuffer* buffer : buffers) buffer->Destroy();
    hooks::CountLiveSoundDevice(-1);
}

HRESULT SoundDevice::SetCooperativeLevel(HWND, DWORD level)
{
    HRESULT injected = hooks::TakeInjected("IDirectSound::SetCooperativeLevel");
    if (FAILED(injected)) return injected;
    return level == DSSCL_PRIORITY ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT SoundDevice::CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer,
                                       IUnknown* outer)
{
    if (!buffer) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    HRESULT injected = hooks::TakeInjected("IDirectSound::CreateSoundBuffer");
    if (FAILED(injected)) return injected;
    if (!desc || outer) return DSERR_INVALIDPARAM;
    SoundBuffer* made = nullptr;
    HRESULT hr = SoundBuffer::Create(this, *desc, &made);
    if (FAILED(hr)) return hr;
    {
        std::lock_guard<std::mutex> guard(m_BuffersLock);
        m_Buffers.push_back(made);
    }
    *buffer = made;
    return DS_OK;
}

void SoundDevice::Forget(SoundBuffer* buffer)
{
    std::lock_guard<std::mutex> guard(m_BuffersLock);
    for (auto it = m_Buffers.begin(); it != m_Buffers.end(); ++it) {
        if (*it == buffer) {
            m_Buffers.erase(it);
            return;
        }
    }
}

} // namespace audio
} // namespace platform

HRESULT DirectSoundCreate(const GUID*, IDirectSound** sound, IUnknown* outer)
{
    if (!sound) return DSERR_INVALIDPARAM;
    *sound = nullptr;
    HRESULT injected = platform::hooks::TakeInjected("DirectSoundCreate");
    if (FAILED(injected)) return injected;
    if (outer) return DSERR_INVALIDPARAM;
    platform::audio::Mixer::Instance(); // opens the device (or settles for silence) once
    *sound = new platform::audio::SoundDevice();
    return DS_OK;
}
