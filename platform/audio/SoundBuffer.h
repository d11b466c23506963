#pragma once
// A DirectSound buffer on the shared mixer. A secondary buffer keeps the bytes the caller locks
// and, after Unlock, the same sound converted to the mixer's format in its voice. The primary
// buffer only takes a format.

#include "platform/audio/AudioMixer.h"
#include "platform/dsound.h"

#include <memory>
#include <vector>

namespace platform {
namespace audio {

class SoundDevice;

class SoundBuffer : public IDirectSoundBuffer {
public:
    // Creates a buffer for desc or returns the DirectSound result that refuses it.
    static HRESULT Create(SoundDevice* owner, const DSBUFFERDESC& desc, SoundBuffer** buffer);

    HRESULT GetStatus(DWORD* status) override;
    HRESULT SetFormat(const WAVEFORMATEX* format) override;
    HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2,
                 DWORD* bytes2, DWORD flags) override;
    HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2) override;
    HRESULT SetVolume(LONG hundredthsOfDb) override;
    HRESULT GetVolume(LONG* hundredthsOfDb) override;
    HRESULT SetCurrentPosition(DWORD bytes) override;
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
    HRESULT Stop() override;

    // Destroys the buffer whatever its count: its device is going away.
    void Destroy();

    // What the buffer holds; caller holds the mixer lock.
    bool IsPrimary() const { return m_Primary; }
    LONG Volume() const { return m_Volume; }
    const Voice& GetVoice() const { return *m_Voice; }

private:
    SoundBuffer(SoundDevice* owner, bool primary);
    ~SoundBuffer() override;

    SoundDevice* m_Owner; // null once the device destroys its buffers
    const bool m_Primary;
    WAVEFORMATEX m_Format{};
    std::vector<uint8_t> m_Bytes;
    std::shared_ptr<Voice> m_Voice;
    LONG m_Volume = 0;
};

// Converts PCM bytes in format to interleaved stereo 16-bit samples at the mixer's rate.
std::vector<int16_t> ConvertToMixerFormat(const WAVEFORMATEX& format, const uint8_t* bytes,
                                          size_t size);

} // namespace audio
} // namespace platform
