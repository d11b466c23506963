#include "game/audio/RGWaveFile.h"

#include "engine/core/base/SEngineException.h"

#include <algorithm>
#include <cstring>
#include <new>

static const char* const kTarnSource = "..\\Src\\RGWaveFile";

namespace Runegarden {

using TarnEngine::SEngineException;

namespace {

const FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
const FOURCC kFmt = mmioFOURCC('f', 'm', 't', ' ');
const FOURCC kData = mmioFOURCC('d', 'a', 't', 'a');

// Bytes from offset to end, 0 when offset lies beyond it.
DWORD BytesLeft(DWORD offset, DWORD end)
{
    return offset < end ? end - offset : 0;
}

} // namespace

RGWaveFile::RGWaveFile()
    : m_Format(nullptr), m_Mmio(nullptr), m_Chunk(), m_Riff(), m_DataSize(0), m_RiffEnd(0)
{
}

RGWaveFile::~RGWaveFile()
{
    Close();
}

void RGWaveFile::Close()
{
    if (m_Mmio) {
        mmioClose(m_Mmio, 0);
        m_Mmio = nullptr;
    }
}

void RGWaveFile::Open(const wchar_t* name, WAVEFORMATEX*, DWORD)
{
    TARN_TRY
    Close();
    m_Mmio = mmioOpen(name, nullptr, MMIO_ALLOCBUF | MMIO_READ);
    if (!m_Mmio) {
        HRSRC resource = FindResourceW(nullptr, name, L"WAVE");
        if (!resource) resource = FindResourceW(nullptr, name, L"WAV");
        if (!resource) throw SEngineException("Find resource");
        HGLOBAL handle = LoadResource(nullptr, resource);
        if (!handle) throw SEngineException("Load resource");
        DWORD size = SizeofResource(nullptr, resource);
        if (size == 0) throw SEngineException("Size of resource");
        const BYTE* bytes = static_cast<const BYTE*>(LockResource(handle));
        if (!bytes) throw SEngineException("Lock resource");
        m_ResourceCopy.assign(bytes, bytes + size);
        MMIOINFO memory;
        std::memset(&memory, 0, sizeof(memory));
        memory.fccIOProc = FOURCC_MEM;
        memory.cchBuffer = static_cast<LONG>(size);
        memory.pchBuffer = reinterpret_cast<char*>(m_ResourceCopy.data());
        m_Mmio = mmioOpen(static_cast<const wchar_t*>(nullptr), &memory, MMIO_ALLOCBUF | MMIO_READ);
        if (!m_Mmio) throw SEngineException("Lock resource");
    }
    try {
        ReadMMIO();
        ResetFile();
        // The samples must lie inside the RIFF chunk, which lies inside the file.
        if (m_Chunk.cksize > BytesLeft(m_Chunk.dwDataOffset, RiffEnd()))
            throw SEngineException("Read");
    } catch (...) {
        Close();
        throw;
    }
    m_DataSize = m_Chunk.cksize;
    TARN_CATCH("RGWaveFile::Open()")
}

void RGWaveFile::ReadMMIO()
{
    TARN_TRY
    m_Format = nullptr;
    m_FormatBytes.reset();
    if (mmioDescend(m_Mmio, &m_Riff, nullptr, 0) != 0) throw SEngineException("mmioDescend");
    if (m_Riff.ckid != FOURCC_RIFF || m_Riff.fccType != kWave)
        throw SEngineException("mmioFOURCC");

    // The file's length bounds every chunk size read below.
    const LONG here = mmioSeek(m_Mmio, 0, SEEK_CUR);
    const LONG fileSize = mmioSeek(m_Mmio, 0, SEEK_END);
    if (here < 0 || fileSize < 0 || mmioSeek(m_Mmio, here, SEEK_SET) < 0)
        throw SEngineException("mmioSeek");
    const uint64_t declaredEnd = uint64_t(m_Riff.dwDataOffset) + m_Riff.cksize;
    m_RiffEnd = static_cast<DWORD>(std::min<uint64_t>(declaredEnd, static_cast<DWORD>(fileSize)));

    MMCKINFO formatChunk;
    std::memset(&formatChunk, 0, sizeof(formatChunk));
    formatChunk.ckid = kFmt;
    if (mmioDescend(m_Mmio, &formatChunk, &m_Riff, MMIO_FINDCHUNK) != 0)
        throw SEngineException("mmioDescend");
    if (formatChunk.cksize < PCMWAVEFORMAT_SIZE) throw SEngineException("sizeof(PCMWAVEFORMAT)");
    if (formatChunk.cksize > BytesLeft(formatChunk.dwDataOffset, RiffEnd()))
        throw SEngineException("mmioRead");

    PCMWAVEFORMAT pcm;
    if (mmioRead(m_Mmio, reinterpret_cast<char*>(&pcm), PCMWAVEFORMAT_SIZE) != PCMWAVEFORMAT_SIZE)
        throw SEngineException("mmioRead");

    WORD extraBytes = 0;
    if (pcm.wf.wFormatTag != WAVE_FORMAT_PCM) {
        if (mmioRead(m_Mmio, reinterpret_cast<char*>(&extraBytes), sizeof(extraBytes)) !=
            sizeof(extraBytes))
            throw SEngineException("mmioRead");
        // The extra format bytes must fit in the "fmt " chunk.
        if (uint64_t(WAVEFORMATEX_SIZE) + extraBytes > formatChunk.cksize)
            throw SEngineException("mmioRead");
    }
    m_FormatBytes.reset(new (std::nothrow) BYTE[WAVEFORMATEX_SIZE + extraBytes]);
    if (!m_FormatBytes)
        throw SEngineException(pcm.wf.wFormatTag == WAVE_FORMAT_PCM ? "m_pwfx" : "new");
    std::memcpy(m_FormatBytes.get(), &pcm, PCMWAVEFORMAT_SIZE);
    m_Format = reinterpret_cast<WAVEFORMATEX*>(m_FormatBytes.get());
    m_Format->cbSize = extraBytes;
    if (extraBytes > 0 &&
        mmioRead(m_Mmio, reinterpret_cast<char*>(m_FormatBytes.get() + WAVEFORMATEX_SIZE),
                 extraBytes) != extraBytes) {
        throw SEngineException("mmioRead");
    }

    if (mmioAscend(m_Mmio, &formatChunk, 0) != 0) throw SEngineException("mmioAscend");
    TARN_CATCH("RGWaveFile::ReadMMIO()")
}

void RGWaveFile::ResetFile()
{
    TARN_TRY
    if (mmioSeek(m_Mmio, static_cast<LONG>(m_Riff.dwDataOffset + sizeof(FOURCC)), SEEK_SET) == -1)
        throw SEngineException("mmioSeek");
    m_Chunk.ckid = kData;
    if (mmioDescend(m_Mmio, &m_Chunk, &m_Riff, MMIO_FINDCHUNK) != 0)
        throw SEngineException("mmioDescend");
    TARN_CATCH("RGWaveFile::ResetFile()")
}

void RGWaveFile::Read(BYTE* destination, DWORD size, DWORD* bytesRead)
{
    TARN_TRY
    if (bytesRead) *bytesRead = 0;
    MMIOINFO info;
    if (mmioGetInfo(m_Mmio, &info, 0) != 0) throw SEngineException("mmioGetInfo");
    const DWORD count = std::min(size, m_Chunk.cksize);
    m_Chunk.cksize -= count;
    for (DWORD i = 0; i < count; ++i) {
        if (info.pchNext == info.pchEndRead) {
            if (mmioAdvance(m_Mmio, &info, MMIO_READ) != 0) throw SEngineException("mmioAdvance");
            if (info.pchNext == info.pchEndRead) throw SEngineException("mmioinfoIn.pchNext");
        }
        destination[i] = static_cast<BYTE>(*info.pchNext);
        ++info.pchNext;
    }
    if (mmioSetInfo(m_Mmio, &info, 0) != 0) throw SEngineException("mmioSetInfo");
    if (bytesRead) *bytesRead = count;
    TARN_CATCH("RGWaveFile::Read()")
}

} // namespace Runegarden
