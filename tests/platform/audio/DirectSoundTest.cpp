#include "platform/dsound.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pt = platform::testing;

namespace {

WAVEFORMATEX Pcm(WORD channels, DWORD rate, WORD bits)
{
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = channels;
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = bits;
    f.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}

DSBUFFERDESC Secondary(WAVEFORMATEX* format, DWORD bytes)
{
    DSBUFFERDESC d{};
    d.dwSize = DSBUFFERDESC_SIZE;
    d.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    d.dwBufferBytes = bytes;
    d.lpwfxFormat = format;
    return d;
}

class DirectSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pt::SetFakeTime(1000);
        pt::UseSteppedMixer(true);
        ASSERT_EQ(DirectSoundCreate(nullptr, &m_Sound, nullptr), DS_OK);
    }
    void TearDown() override
    {
        if (m_Sound) m_Sound->Release();
        pt::ResetAll();
    }

    // A filled buffer of ms of 16-bit mono sound, every sample = value.
    IDirectSoundBuffer* MakeBuffer(unsigned ms, int16_t value = 1000)
    {
        WAVEFORMATEX format = Pcm(1, 22050, 16);
        DSBUFFERDESC desc = Secondary(&format, 22050 * ms / 1000 * 2);
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(m_Sound->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
        void* p = nullptr;
        DWORD n = 0;
        EXPECT_EQ(buffer->Lock(0, desc.dwBufferBytes, &p, &n, nullptr, nullptr, 0), DS_OK);
        EXPECT_EQ(n, desc.dwBufferBytes);
        for (DWORD i = 0; i < n / 2; ++i) static_cast<int16_t*>(p)[i] = value;
        EXPECT_EQ(buffer->Unlock(p, n, nullptr, 0), DS_OK);
        return buffer;
    }

    DWORD Status(IDirectSoundBuffer* buffer)
    {
        DWORD status = 0xFF;
        EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
        return status;
    }

    IDirectSound* m_Sound = nullptr;
};

TEST_F(DirectSoundTest, CreateSoundBufferChecksDescriptionAndFormat)
{
    struct Case {
        const char* what;
        WAVEFORMATEX format;
        DWORD size;
        DWORD descSize;
        HRESULT expected;
    };
    WAVEFORMATEX adpcm = Pcm(1, 22050, 16);
    adpcm.wFormatTag = 2;
    WAVEFORMATEX badAlign = Pcm(2, 22050, 16);
    badAlign.nBlockAlign = 3;
    const Case cases[] = {
        {"16-bit mono", Pcm(1, 22050, 16), 100, 36, DS_OK},
        {"not PCM", adpcm, 100, 36, DSERR_BADFORMAT},
        {"24-bit", Pcm(1, 22050, 24), 102, 36, DSERR_BADFORMAT},
        {"6 channels", Pcm(6, 22050, 16), 120, 36, DSERR_BADFORMAT},
        {"50 Hz, which would swell 441 times in the mix", Pcm(1, 50, 16), 100, 36, DSERR_BADFORMAT},
        {"block alignment", badAlign, 120, 36, DSERR_BADFORMAT},
        {"below 4 bytes", Pcm(1, 22050, 16), 2, 36, DSERR_INVALIDPARAM},
        {"64-bit description size", Pcm(1, 22050, 16), 100, 40, DSERR_INVALIDPARAM},
    };
    for (const Case& c : cases) {
        WAVEFORMATEX format = c.format;
        DSBUFFERDESC desc = Secondary(&format, c.size);
        desc.dwSize = c.descSize;
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(m_Sound->CreateSoundBuffer(&desc, &buffer, nullptr), c.expected) << c.what;
        EXPECT_EQ(buffer != nullptr, c.expected == DS_OK) << c.what;
        if (buffer) buffer->Release();
    }
    EXPECT_EQ(pt::LiveSoundBuffers(), 0u);
}

TEST_F(DirectSoundTest, PlaysExactlyAsLongAsTheSoundLastsEvenWhenSilent)
{
    IDirectSoundBuffer* buffer = MakeBuffer(100);
    EXPECT_EQ(buffer->SetVolume(-10000), DS_OK);
    EXPECT_EQ(Status(buffer), 0u);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(buffer), DWORD(DSBSTATUS_PLAYING));
    pt::AdvanceFakeTime(99);
    EXPECT_EQ(Status(buffer), DWORD(DSBSTATUS_PLAYING));
    pt::AdvanceFakeTime(1);
    EXPECT_EQ(Status(buffer), 0u);

    // Stop keeps the position.
    ASSERT_EQ(buffer->SetCurrentPosition(0), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    pt::AdvanceFakeTime(40);
    ASSERT_EQ(buffer->Stop(), DS_OK);
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_EQ(pt::SoundBuffers().at(0).position, 882u); // 40 ms at 22050 Hz
    buffer->Release();
}

// A position is in bytes of the buffer's own format, whatever its channels, sample size and rate.
TEST_F(DirectSoundTest, PositionsCountBytesOfTheBuffersOwnFormat)
{
    const struct {
        WORD channels;
        DWORD rate;
        WORD bits;
        size_t mixFrame; // where source frame 100 lies at the mixer's 22050 Hz
    } cases[] = {{1, 22050, 16, 100}, {2, 22050, 16, 100}, {2, 11025, 8, 200}, {1, 44100, 16, 50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " x " << c.bits << " bits at " << c.rate);
        WAVEFORMATEX format = Pcm(c.channels, c.rate, c.bits);
        DSBUFFERDESC desc = Secondary(&format, 1000 * format.nBlockAlign);
        IDirectSoundBuffer* buffer = nullptr;
        ASSERT_EQ(m_Sound->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
        void* p = nullptr;
        DWORD n = 0;
        ASSERT_EQ(buffer->Lock(0, desc.dwBufferBytes, &p, &n, nullptr, nullptr, 0), DS_OK);
        ASSERT_EQ(buffer->Unlock(p, n, nullptr, 0), DS_OK);
        EXPECT_EQ(buffer->SetCurrentPosition(100 * format.nBlockAlign), DS_OK);
        EXPECT_EQ(pt::SoundBuffers().back().position, c.mixFrame);
        buffer->Release();
    }
}

TEST_F(DirectSoundTest, VolumeMapsHundredthsOfADecibelToGainAndRefusesOutOfRange)
{
    IDirectSoundBuffer* buffer = MakeBuffer(100, 10000);
    struct Case {
        LONG volume;
        HRESULT result;
        int16_t mixed;
    };
    const Case cases[] = {
        {0, DS_OK, 10000},         {-2000, DS_OK, 1000}, {-10000, DS_OK, 0},
        {990000, DSERR_INVALIDPARAM, 0}, // refused: the previous volume stays
        {-10001, DSERR_INVALIDPARAM, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(buffer->SetVolume(c.volume), c.result) << c.volume;
        buffer->SetCurrentPosition(0);
        buffer->Play(0, 0, 0);
        int16_t out[8];
        pt::RenderMixer(out, 4);
        EXPECT_NEAR(out[0], c.mixed, 1) << c.volume;
        EXPECT_EQ(out[0], out[1]) << "mono plays on both sides";
    }
    LONG volume = 1;
    buffer->GetVolume(&volume);
    EXPECT_EQ(volume, -10000);
    buffer->Release();
}

TEST_F(DirectSoundTest, EightBitAndOtherRatesAreConvertedToTheMix)
{
    WAVEFORMATEX format = Pcm(1, 11025, 8);
    DSBUFFERDESC desc = Secondary(&format, 1102); // 100 ms
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(m_Sound->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
    void* p = nullptr;
    DWORD n = 0;
    ASSERT_EQ(buffer->Lock(0, 1102, &p, &n, nullptr, nullptr, 0), DS_OK);
    std::memset(p, 0xC0, 1102); // +64 of 128
    ASSERT_EQ(buffer->Unlock(p, n, nullptr, 0), DS_OK);
    auto infos = pt::SoundBuffers();
    ASSERT_EQ(infos.size(), 1u);
    EXPECT_EQ(infos[0].length, 2204u);
    buffer->Play(0, 0, 0);
    int16_t out[4];
    pt::RenderMixer(out, 2);
    EXPECT_EQ(out[0], 64 << 8);
    buffer->Release();
}

TEST_F(DirectSoundTest, ALoudMixOfOverlappingSoundsClampsInsteadOfWrapping)
{
    for (int16_t value : {int16_t(30000), int16_t(-30000)}) {
        IDirectSoundBuffer* a = MakeBuffer(100, value);
        IDirectSoundBuffer* b = MakeBuffer(100, value);
        a->Play(0, 0, 0);
        b->Play(0, 0, 0);
        int16_t out[4];
        pt::RenderMixer(out, 2);
        for (int16_t sample : out) EXPECT_EQ(sample, value > 0 ? 32767 : -32768);
        a->Release();
        b->Release();
    }
}

TEST_F(DirectSoundTest, ReleasingTheDeviceDestroysItsBuffers)
{
    MakeBuffer(10);
    MakeBuffer(10);
    EXPECT_EQ(pt::LiveSoundBuffers(), 2u);
    EXPECT_EQ(pt::LiveSoundDevices(), 1u);
    m_Sound->Release();
    m_Sound = nullptr;
    EXPECT_EQ(pt::LiveSoundBuffers(), 0u);
    EXPECT_EQ(pt::LiveSoundDevices(), 0u);
}

} // namespace
