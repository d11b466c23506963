#include "platform/audio/SoundBuffer.h"

#include "platform/audio/SoundDevice.h"
#include "platform/audio/Hooks.h"
#include "platform/posix/Hooks.h"

#include <algorithm>
#include <new>

namespace platform {
namespace audio {

namespace {

constexpr DWORD kMinBufferBytes = 4;
constexpr DWORD kMaxBufferBytes = 0x0FFFFFFF;
// The rates a buffer may play at; a slower one would also swell on conversion to the mix.
constexpr DWORD kMinRate = 100;
constexpr DWORD kMaxRate = 200000;
constexpr size_t kMaxMixFrames = size_t(100) * 60 * kMixRate;

bool IsPlayableFormat(const WAVEFORMATEX& f)
{
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= kMinRate &&
           f.nSamplesPerSec <= kMaxRate && f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8;
}

int16_t SampleAt(const WAVEFORMATEX& f, const uint8_t* frame, int channel)
{
    if (f.wBitsPerSample == 8) return static_cast<int16_t>((frame[channel] - 128) * 256);
    const uint8_t* p = frame + channel * 2;
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

} // namespace

std::vector<int16_t> ConvertToMixerFormat(const WAVEFORMATEX& format, const uint8_t* bytes,
                                          size_t size)
{
    const size_t inFrames = size / format.nBlockAlign;
    std::vector<int16_t> out;
    if (inFrames == 0) return out;
    const uint64_t rate = format.nSamplesPerSec;
    const size_t outFrames =
        std::max<size_t>(1, static_cast<size_t>(inFrames * uint64_t(kMixRate) / rate));
    // Beyond 100 minutes at the mixer's rate the samples are not converted: Unlock fails as out of
    // memory instead of asking for gigabytes.
    if (outFrames > kMaxMixFrames) throw std::bad_alloc();
    out.resize(outFrames * kMixChannels);
    const int right = format.nChannels == 2 ? 1 : 0;
    for (size_t i = 0; i < outFrames; ++i) {
        // Linear interpolation between the two nearest source frames.
        const double pos = static_cast<double>(i) * rate / kMixRate;
        size_t a = static_cast<size_t>(pos);
        if (a >= inFrames) a = inFrames - 1;
        const size_t b = std::min(a + 1, inFrames - 1);
        const float t = static_cast<float>(pos - a);
        const uint8_t* fa = bytes + a * format.nBlockAlign;
        const uint8_t* fb = bytes + b * format.nBlockAlign;
        for (int c = 0; c < kMixChannels; ++c) {
            const int channel = c == 0 ? 0 : right;
            const float va = SampleAt(format, fa, channel);
            const float vb = SampleAt(format, fb, channel);
            out[i * kMixChannels + c] = static_cast<int16_t>(va + (vb - va) * t);
        }
    }
    return out;
}

SoundBuffer::SoundBuffer(SoundDevice* owner, bool primary)
    : m_Owner(owner), m_Primary(primary), m_Voice(std::make_shared<Voice>())
{
    hooks::SoundBufferMade(this);
}

SoundBuffer::~SoundBuffer()
{
    if (m_Owner) m_Owner->Forget(this);
    hooks::SoundBufferDestroyed(this);
    auto lock = Mixer::Instance().Acquire();
    Mixer::Instance().Remove(m_Voice);
}

HRESULT SoundBuffer::Create(SoundDevice* owner, const DSBUFFERDESC& desc, SoundBuffer** buffer)
{
    if (desc.dwSize != DSBUFFERDESC_SIZE) return DSERR_INVALIDPARAM;
    if (desc.dwFlags & DSBCAPS_PRIMARYBUFFER) {
        if (desc.dwBufferBytes != 0 || desc.lpwfxFormat) return DSERR_INVALIDPARAM;
        *buffer = new SoundBuffer(owner, true);
        return DS_OK;
    }
    if (!desc.lpwfxFormat) return DSERR_INVALIDPARAM;
    if (!IsPlayableFormat(*desc.lpwfxFormat)) return DSERR_BADFORMAT;
    if (desc.dwBufferBytes < kMinBufferBytes || desc.dwBufferBytes > kMaxBufferBytes)
        return DSERR_INVALIDPARAM;
    SoundBuffer* made = new SoundBuffer(owner, false);
    made->m_Format = *desc.lpwfxFormat;
    made->m_Format.cbSize = 0;
    try {
        made->m_Bytes.assign(desc.dwBufferBytes, 0);
    } catch (const std::bad_alloc&) {
        made->Destroy();
        return DSERR_OUTOFMEMORY;
    }
    {
        auto lock = Mixer::Instance().Acquire();
        Mixer::Instance().Add(made->m_Voice);
    }
    *buffer = made;
    return DS_OK;
}

void SoundBuffer::Destroy()
{
    m_Owner = nullptr;
    delete this;
}

HRESULT SoundBuffer::GetStatus(DWORD* status)
{
    if (!status) return DSERR_INVALIDPARAM;
    auto lock = Mixer::Instance().Acquire();
    Mixer::Instance().Sync();
    *status = m_Voice->playing ? DSBSTATUS_PLAYING : 0;
    return DS_OK;
}

HRESULT SoundBuffer::SetFormat(const WAVEFORMATEX* format)
{
    if (!m_Primary) return DSERR_INVALIDCALL;
    HRESULT injected = hooks::TakeInjected("IDirectSoundBuffer::SetFormat");
    if (FAILED(injected)) return injected;
    if (!format) return DSERR_INVALIDPARAM;
    return IsPlayableFormat(*format) ? DS_OK : DSERR_BADFORMAT;
}

HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2,
                          DWORD* bytes2, DWORD)
{
    if (m_Primary) return DSERR_INVALIDCALL;
    if (!part1 || !bytes1 || offset >= m_Bytes.size()) return DSERR_INVALIDPARAM;
    *part1 = m_Bytes.data() + offset;
    *bytes1 = static_cast<DWORD>(std::min<size_t>(bytes, m_Bytes.size() - offset));
    if (part2) *part2 = nullptr;
    if (bytes2) *bytes2 = 0;
    return DS_OK;
}

HRESULT SoundBuffer::Unlock(void*, DWORD, void*, DWORD)
{
    if (m_Primary) return DSERR_INVALIDCALL;
    std::shared_ptr<const std::vector<int16_t>> samples;
    try {
        // A long, low-rate buffer grows many times over in the mixer's format.
        samples = std::make_shared<const std::vector<int16_t>>(
            ConvertToMixerFormat(m_Format, m_Bytes.data(), m_Bytes.size()));
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    auto lock = Mixer::Instance().Acquire();
    m_Voice->samples = samples;
    m_Voice->frame = std::min(m_Voice->frame, m_Voice->Frames());
    return DS_OK;
}

HRESULT SoundBuffer::SetVolume(LONG hundredthsOfDb)
{
    if (m_Primary) return DSERR_INVALIDCALL;
    if (hundredthsOfDb < DSBVOLUME_MIN || hundredthsOfDb > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    auto lock = Mixer::Instance().Acquire();
    m_Volume = hundredthsOfDb;
    m_Voice->gain = GainOfVolume(hundredthsOfDb);
    return DS_OK;
}

HRESULT SoundBuffer::GetVolume(LONG* hundredthsOfDb)
{
    if (!hundredthsOfDb) return DSERR_INVALIDPARAM;
    auto lock = Mixer::Instance().Acquire();
    *hundredthsOfDb = m_Volume;
    return DS_OK;
}

HRESULT SoundBuffer::SetCurrentPosition(DWORD bytes)
{
    if (m_Primary) return DSERR_INVALIDCALL;
    if (bytes >= m_Bytes.size()) return DSERR_INVALIDPARAM;
    const uint64_t sourceFrame = bytes / m_Format.nBlockAlign;
    auto lock = Mixer::Instance().Acquire();
    Mixer::Instance().Sync();
    m_Voice->frame = std::min<size_t>(
        m_Voice->Frames(), static_cast<size_t>(sourceFrame * kMixRate / m_Format.nSamplesPerSec));
    return DS_OK;
}

HRESULT SoundBuffer::Play(DWORD, DWORD, DWORD flags)
{
    if (m_Primary) return DSERR_INVALIDCALL;
    if (flags & DSBPLAY_LOOPING) return DSERR_UNSUPPORTED;
    HRESULT injected = hooks::TakeInjected("IDirectSoundBuffer::Play");
    if (FAILED(injected)) return injected;
    auto lock = Mixer::Instance().Acquire();
    Mixer::Instance().Sync();
    m_Voice->playing = !m_Voice->AtEnd();
    if (m_Voice->playing) hooks::SoundBufferStarted(this);
    return DS_OK;
}

HRESULT SoundBuffer::Stop()
{
    if (m_Primary) return DSERR_INVALIDCALL;
    auto lock = Mixer::Instance().Acquire();
    Mixer::Instance().Sync();
    m_Voice->playing = false;
    return DS_OK;
}

} // namespace audio
} // namespace platform
