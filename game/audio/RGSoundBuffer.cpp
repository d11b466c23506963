#include "game/audio/RGSoundBuffer.h"

#include "engine/core/base/SEngineException.h"
#include "game/audio/RGWaveFile.h"

#include <cstring>

static const char* const kTarnSource = "..\\Src\\RGSoundBuffer";

namespace Runegarden {

using TarnEngine::SEngineException;

namespace {

const char* SetFormatMessage(HRESULT result)
{
    switch (result) {
    case DSERR_BADFORMAT: return "can't set primary buffer format(DSERR_BADFORMAT)";
    case DSERR_INVALIDCALL: return "can't set primary buffer format(DSERR_INVALIDCALL)";
    case DSERR_INVALIDPARAM: return "can't set primary buffer format(DSERR_INVALIDPARAM)";
    case DSERR_OUTOFMEMORY: return "can't set primary buffer format(DSERR_OUTOFMEMORY)";
    case DSERR_PRIOLEVELNEEDED: return "can't set primary buffer format(DSERR_PRIOLEVELNEEDED)";
    case DSERR_UNSUPPORTED: return "can't set primary buffer format(DSERR_UNSUPPORTED)";
    default: return "can't set primary buffer format(UNKNOWN ERROR)";
    }
}

// Releases a COM-style interface on every way out.
template <class T>
class ReleaseOnExit {
public:
    explicit ReleaseOnExit(T*& object) : m_Object(object) {}
    ~ReleaseOnExit()
    {
        if (m_Object) m_Object->Release();
        m_Object = nullptr;
    }

private:
    T*& m_Object;
};

} // namespace

RGSoundBuffer::RGSoundBuffer() : m_Device(nullptr), m_Buffer(nullptr)
{
}

RGSoundBuffer::~RGSoundBuffer()
{
    // Releasing the device also frees its buffers.
    m_Buffer = nullptr;
    if (m_Device) m_Device->Release();
}

void RGSoundBuffer::Create(HWND window, const std::wstring& path)
{
    TARN_TRY
    if (FAILED(DirectSoundCreate(nullptr, &m_Device, nullptr)) || !m_Device)
        throw SEngineException("can't create DirectSound");
    if (FAILED(m_Device->SetCooperativeLevel(window, DSSCL_PRIORITY)))
        throw SEngineException("can't set cooperative level");
    CreatePrimaryBuffer();
    CreateSoundBuffers(path);
    TARN_CATCH("RGSoundBuffer::Create()")
}

void RGSoundBuffer::CreatePrimaryBuffer()
{
    TARN_TRY
    DSBUFFERDESC desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = DSBUFFERDESC_SIZE;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer* primary = nullptr;
    if (FAILED(m_Device->CreateSoundBuffer(&desc, &primary, nullptr)) || !primary)
        throw SEngineException("can't create primary buffer");
    ReleaseOnExit<IDirectSoundBuffer> release(primary);
    WAVEFORMATEX format;
    std::memset(&format, 0, sizeof(format));
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 22050;
    format.nAvgBytesPerSec = 88200;
    format.nBlockAlign = 4;
    format.wBitsPerSample = 16;
    HRESULT result = primary->SetFormat(&format);
    if (FAILED(result)) throw SEngineException(SetFormatMessage(result));
    TARN_CATCH("RGSoundBuffer::CreatePrimaryBuffer()")
}

void RGSoundBuffer::CreateSoundBuffers(const std::wstring& path)
{
    TARN_TRY
    RGWaveFile wave;
    wave.Open(path.c_str(), nullptr, RGWaveFile::kRead);

    DSBUFFERDESC desc;
    std::memset(&desc, 0, sizeof(desc));
    desc.dwSize = DSBUFFERDESC_SIZE;
    desc.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    desc.dwBufferBytes = wave.GetSize();
    desc.lpwfxFormat = wave.GetFormat();
    if (FAILED(m_Device->CreateSoundBuffer(&desc, &m_Buffer, nullptr)) || !m_Buffer)
        throw SEngineException("can't create sound buffer");

    void* locked = nullptr;
    DWORD lockedSize = 0;
    if (FAILED(m_Buffer->Lock(0, wave.GetSize(), &locked, &lockedSize, nullptr, nullptr, 0)))
        throw SEngineException("Lock");
    BYTE* bytes = static_cast<BYTE*>(locked);
    try {
        wave.ResetFile();
        DWORD read = 0;
        wave.Read(bytes, lockedSize, &read);
        // A short read starts the file over until the buffer is full; a read that yields
        // nothing more ends it, and silence fills the rest.
        DWORD filled = read;
        while (read > 0 && filled < lockedSize) {
            wave.ResetFile();
            wave.Read(bytes + filled, lockedSize - filled, &read);
            filled += read;
        }
        if (filled < lockedSize) {
            const BYTE silence = wave.GetFormat()->wBitsPerSample == 8 ? 0x80 : 0;
            std::memset(bytes + filled, silence, lockedSize - filled);
        }
    } catch (...) {
        m_Buffer->Unlock(locked, lockedSize, nullptr, 0);
        throw;
    }
    // The samples are converted for the mixer at the unlock; a failure leaves the buffer silent.
    m_Silent = FAILED(m_Buffer->Unlock(locked, lockedSize, nullptr, 0));
    TARN_CATCH("RGSoundBuffer::CreateSoundBuffers()")
}

void RGSoundBuffer::SetVolume(LONG hundredthsOfDb)
{
    CriticalSectionLock hold(m_Lock.Section());
    if (m_Buffer) m_Buffer->SetVolume(hundredthsOfDb); // a refused volume keeps the old one
}

void RGSoundBuffer::Play()
{
    CriticalSectionLock hold(m_Lock.Section());
    if (!m_Buffer) return;
    m_Buffer->SetCurrentPosition(0);
    m_Buffer->Play(0, 0, 0); // a refused play stays silent
}

bool RGSoundBuffer::IsPlaying()
{
    CriticalSectionLock hold(m_Lock.Section());
    DWORD status = 0;
    if (!m_Buffer || FAILED(m_Buffer->GetStatus(&status))) return false;
    return status == DSBSTATUS_PLAYING;
}

void RGSoundBuffer::Stop()
{
    CriticalSectionLock hold(m_Lock.Section());
    if (m_Buffer) m_Buffer->Stop();
}

} // namespace Runegarden
