#pragma once
// One playable copy of a sound effect: its own DirectSound device and a secondary buffer holding
// the whole WAV file. Volume, rewind, play, status and stop happen under the buffer's lock.

#include "game/audio/RGLockGuard.h"
#include "platform/dsound.h"

#include <string>

namespace Runegarden {

class RGSoundBuffer {
public:
    RGSoundBuffer();
    virtual ~RGSoundBuffer();

    RGSoundBuffer(const RGSoundBuffer&) = delete;
    RGSoundBuffer& operator=(const RGSoundBuffer&) = delete;

    void Create(HWND window, const std::wstring& path);
    void SetVolume(LONG hundredthsOfDb);
    void Play();
    bool IsPlaying();
    void Stop();
    // Whether the samples could not be made ready for the mixer, so that the buffer plays silence.
    bool IsSilent() const { return m_Silent; }

private:
    void CreatePrimaryBuffer();
    void CreateSoundBuffers(const std::wstring& path);

    IDirectSound* m_Device;
    IDirectSoundBuffer* m_Buffer;
    RGLockGuard m_Lock;
    bool m_Silent = false;
};

} // namespace Runegarden
