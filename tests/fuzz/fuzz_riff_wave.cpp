// Feeds arbitrary bytes to the WAV reader and the sound buffer that is filled from it, as a
// program resource so that no file is written. Loading either fails with a TarnCoreException or
// yields a buffer that holds exactly the declared samples and plays.

#include "engine/core/base/TarnCoreException.h"
#include "game/audio/RGSoundBuffer.h"
#include "game/audio/RGWaveFile.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using Runegarden::RGSoundBuffer;
using Runegarden::RGWaveFile;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    platform::testing::UseSteppedMixer(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const wchar_t* name = L"fuzz input.wav"; // no such file: read from the resource
    platform::testing::RegisterResource("fuzz input.wav", "WAVE", std::vector<uint8_t>(data, data + size));

    try {
        RGWaveFile wave;
        wave.Open(name, nullptr, RGWaveFile::kRead);
        if (wave.GetSize() > size) abort(); // sizes are bounded by the input
        std::vector<BYTE> samples(wave.GetSize() + 1);
        DWORD read = 0;
        wave.Read(samples.data(), static_cast<DWORD>(samples.size()), &read);
        if (read != wave.GetSize()) abort();
    } catch (const SCore::TarnCoreException&) {
    }

    try {
        RGSoundBuffer buffer;
        buffer.Create(nullptr, name);
        buffer.SetVolume(-600);
        buffer.Play();
        buffer.IsPlaying();
        buffer.Stop();
    } catch (const SCore::TarnCoreException&) {
    }
    if (platform::testing::LiveSoundBuffers() != 0) abort();
    return 0;
}
