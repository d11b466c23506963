#include "platform/audio/AudioMixer.h"

#include "platform/audio/Hooks.h"
#include "platform/win32.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {
namespace audio {

float GainOfVolume(long hundredthsOfDb)
{
    if (hundredthsOfDb <= -10000) return 0.0f;
    if (hundredthsOfDb >= 0) return 1.0f;
    return std::pow(10.0f, static_cast<float>(hundredthsOfDb) / 2000.0f);
}

Mixer& Mixer::Instance()
{
    // Never destroyed: buffers may be released from static destructors of other objects.
    static Mixer* mixer = new Mixer();
    return *mixer;
}

Mixer::Mixer() : m_RealStart(std::chrono::steady_clock::now())
{
    OpenDevice();
}

Mixer::~Mixer()
{
    if (m_Device) SDL_CloseAudioDevice(m_Device);
}

void Mixer::OpenDevice()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return; // silent: the null clock takes over
    SDL_AudioSpec want;
    std::memset(&want, 0, sizeof(want));
    want.freq = kMixRate;
    want.format = AUDIO_S16SYS;
    want.channels = kMixChannels;
    want.samples = 512;
    want.callback = &Mixer::DeviceCallback;
    want.userdata = this;
    SDL_AudioSpec have;
    m_Device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (m_Device) SDL_PauseAudioDevice(m_Device, 0);
}

void Mixer::DeviceCallback(void* self, uint8_t* stream, int bytes)
{
    Mixer* mixer = static_cast<Mixer*>(self);
    int16_t* out = reinterpret_cast<int16_t*>(stream);
    size_t frames = static_cast<size_t>(bytes) / (sizeof(int16_t) * kMixChannels);
    std::unique_lock<std::mutex> lock(mixer->m_Lock);
    if (hooks::MixerStepped()) {
        std::memset(stream, 0, static_cast<size_t>(bytes));
        return;
    }
    mixer->Render(out, frames);
}

std::unique_lock<std::mutex> Mixer::Acquire()
{
    return std::unique_lock<std::mutex>(m_Lock);
}

void Mixer::RestartClock()
{
    m_RealStart = std::chrono::steady_clock::now();
    m_ElapsedMicros = 0;
    m_FramesConsumed = 0;
}

void Mixer::Sync()
{
    uint64_t stepped = 0;
    if (hooks::SteppedMixerAdvance(&stepped)) {
        m_ElapsedMicros += stepped;
    } else {
        if (m_Device) return; // the device callback keeps time
        auto now = std::chrono::steady_clock::now();
        m_ElapsedMicros = static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(now - m_RealStart).count());
    }
    uint64_t due = m_ElapsedMicros * kMixRate / 1000000u;
    if (due > m_FramesConsumed) {
        Advance(static_cast<size_t>(due - m_FramesConsumed));
        m_FramesConsumed = due;
    }
}

void Mixer::Advance(size_t frames)
{
    bool ended = false;
    for (auto& voice : m_Voices) {
        if (!voice->playing) continue;
        voice->frame = std::min(voice->Frames(), voice->frame + frames);
        if (voice->AtEnd()) {
            voice->playing = false;
            ended = true;
        }
    }
    if (ended) m_VoiceEnded.notify_all();
}

void Mixer::Render(int16_t* out, size_t frames)
{
    const size_t samples = frames * kMixChannels;
    m_Accumulator.assign(samples, 0.0f);
    float* acc = m_Accumulator.data();
    bool ended = false;
    for (auto& voice : m_Voices) {
        if (!voice->playing) continue;
        const size_t n = std::min(frames, voice->Frames() - voice->frame);
        const int16_t* src = voice->samples->data() + voice->frame * kMixChannels;
        const float gain = voice->gain;
        if (gain > 0.0f) {
            for (size_t i = 0; i < n * kMixChannels; ++i) acc[i] += src[i] * gain;
        }
        voice->frame += n;
        if (voice->AtEnd()) {
            voice->playing = false;
            ended = true;
        }
    }
    for (size_t i = 0; i < samples; ++i) {
        float v = acc[i];
        v = v > 32767.0f ? 32767.0f : (v < -32768.0f ? -32768.0f : v);
        out[i] = static_cast<int16_t>(v);
    }
    if (ended) m_VoiceEnded.notify_all();
}

bool Mixer::WaitForEnd(std::unique_lock<std::mutex>& lock, const std::shared_ptr<Voice>& voice,
                       unsigned ms)
{
    if (hooks::MixerStepped()) {
        // Fake time moves only when a test (or a hooked sleep) moves it.
        const uint32_t start = timeGetTime();
        for (;;) {
            Sync();
            if (voice->AtEnd()) return true;
            if (static_cast<uint32_t>(timeGetTime() - start) >= ms) return false;
            m_VoiceEnded.wait_for(lock, std::chrono::milliseconds(1));
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        Sync();
        if (voice->AtEnd()) return true;
        auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return false;
        // The null clock advances only when asked, so wake at least every few milliseconds.
        m_VoiceEnded.wait_for(lock, std::min<std::chrono::steady_clock::duration>(
                                        deadline - now, std::chrono::milliseconds(5)));
    }
}

void Mixer::Add(const std::shared_ptr<Voice>& voice)
{
    m_Voices.push_back(voice);
}

void Mixer::Remove(const std::shared_ptr<Voice>& voice)
{
    m_Voices.erase(std::remove(m_Voices.begin(), m_Voices.end(), voice), m_Voices.end());
}

} // namespace audio
} // namespace platform
