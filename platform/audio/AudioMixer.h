#pragma once
// The one mixer behind every sound buffer and music graph: 22050 Hz, signed 16-bit stereo.
//
// Clocks: an SDL2 device callback consumes audio when a device opens (SDL's dummy driver
// included); without one a null clock advances the voices by the real time elapsed at each call;
// in tests a stepped clock (audio/Hooks.h) advances them by the movement of timeGetTime(). The
// mixer lock is nearly a leaf: nothing is called under it but the mixing itself and the audio
// hooks' bookkeeping, which takes the hooks' own lock.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {
namespace audio {

constexpr int kMixRate = 22050;
constexpr int kMixChannels = 2;

// A sound source: samples in the mixer's format and a play head. Guarded by the mixer lock.
struct Voice {
    std::shared_ptr<const std::vector<int16_t>> samples; // interleaved stereo
    size_t frame = 0;    // next frame to play
    bool playing = false;
    float gain = 1.0f;

    size_t Frames() const { return samples ? samples->size() / kMixChannels : 0; }
    bool AtEnd() const { return frame >= Frames(); }
};

// Gain of a volume in hundredths of a decibel; exactly silent at -10000.
float GainOfVolume(long hundredthsOfDb);

class Mixer {
public:
    static Mixer& Instance();

    std::unique_lock<std::mutex> Acquire();

    // Caller holds the lock. Brings the null or stepped clock up to date.
    void Sync();
    // Caller holds the lock. Mixes frames into out (interleaved stereo) and advances the voices.
    void Render(int16_t* out, size_t frames);
    // Caller holds the lock. Waits up to ms for the voice to reach its end (true when it has).
    bool WaitForEnd(std::unique_lock<std::mutex>& lock, const std::shared_ptr<Voice>& voice,
                    unsigned ms);

    void Add(const std::shared_ptr<Voice>& voice);    // caller holds the lock
    void Remove(const std::shared_ptr<Voice>& voice); // caller holds the lock

    // Caller holds the lock. Counts time afresh from now, as when its clock changes.
    void RestartClock();

private:
    Mixer();
    ~Mixer();
    void OpenDevice();
    void Advance(size_t frames);
    static void DeviceCallback(void* self, uint8_t* stream, int bytes);

    std::mutex m_Lock;
    std::condition_variable m_VoiceEnded;
    std::vector<std::shared_ptr<Voice>> m_Voices;
    std::vector<float> m_Accumulator;
    uint32_t m_Device = 0;
    // Clock bookkeeping for the null and stepped clocks: time elapsed and frames consumed.
    std::chrono::steady_clock::time_point m_RealStart;
    uint64_t m_ElapsedMicros = 0;
    uint64_t m_FramesConsumed = 0;
};

} // namespace audio
} // namespace platform
