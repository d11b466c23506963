// Cost of mixing: one second of output with 16 sound buffers playing at once, and the same as a
// fraction of real time (the "real_time_fraction" counter; 1.0 would use a whole core).

#include "platform/dsound.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const int kVoices = 16;
const size_t kSecond = 22050;

void BM_MixOneSecondOf16Voices(benchmark::State& state)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    platform::testing::UseSteppedMixer(true); // the device callback stays out of the way
    IDirectSound* sound = nullptr;
    if (DirectSoundCreate(nullptr, &sound, nullptr) != DS_OK) {
        state.SkipWithError("no DirectSound");
        return;
    }
    WAVEFORMATEX format;
    std::memset(&format, 0, sizeof(format));
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = 22050;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = 44100;
    DSBUFFERDESC desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = DSBUFFERDESC_SIZE;
    desc.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    desc.dwBufferBytes = static_cast<DWORD>(kSecond * 2 * 2); // two seconds each
    desc.lpwfxFormat = &format;

    std::vector<IDirectSoundBuffer*> buffers;
    for (int i = 0; i < kVoices; ++i) {
        IDirectSoundBuffer* buffer = nullptr;
        sound->CreateSoundBuffer(&desc, &buffer, nullptr);
        void* p = nullptr;
        DWORD n = 0;
        buffer->Lock(0, desc.dwBufferBytes, &p, &n, nullptr, nullptr, 0);
        int16_t* samples = static_cast<int16_t*>(p);
        for (DWORD s = 0; s < n / 2; ++s) samples[s] = static_cast<int16_t>((s * (i + 3) * 37) % 8000);
        buffer->Unlock(p, n, nullptr, 0);
        buffer->SetVolume(-600 * (i % 4));
        buffers.push_back(buffer);
    }

    std::vector<int16_t> out(kSecond * 2);
    for (auto _ : state) {
        state.PauseTiming();
        for (IDirectSoundBuffer* b : buffers) {
            b->SetCurrentPosition(0);
            b->Play(0, 0, 0);
        }
        state.ResumeTiming();
        // In device-sized blocks, as the audio callback asks for them.
        for (size_t done = 0; done < kSecond; done += 512)
            platform::testing::RenderMixer(out.data(), std::min<size_t>(512, kSecond - done));
        benchmark::DoNotOptimize(out.data());
    }
    // Seconds of CPU per second of audio.
    state.counters["real_time_fraction"] =
        benchmark::Counter(static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    sound->Release();
    platform::testing::UseSteppedMixer(false);
}
BENCHMARK(BM_MixOneSecondOf16Voices)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
