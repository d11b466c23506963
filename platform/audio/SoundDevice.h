#pragma once
// An IDirectSound: a handle on the shared mixer that owns the buffers it creates.

#include "platform/dsound.h"

#include <mutex>
#include <vector>

namespace platform {
namespace audio {

class SoundBuffer;

class SoundDevice : public IDirectSound {
public:
    SoundDevice();

    HRESULT SetCooperativeLevel(HWND window, DWORD level) override;
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer,
                              IUnknown* outer) override;

    // Called by a buffer whose last reference is gone.
    void Forget(SoundBuffer* buffer);

private:
    ~SoundDevice() override;

    std::mutex m_BuffersLock;
    std::vector<SoundBuffer*> m_Buffers;
};

} // namespace audio
} // namespace platform
