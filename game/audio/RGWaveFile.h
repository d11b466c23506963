#pragma once
// Reads a RIFF/WAVE file (or, when no file has that name, a "WAVE" or "WAV" program resource)
// through mmio: the format record and the samples of the "data" chunk. Every size the file
// declares is checked against the bytes that hold it before anything is allocated or read.

#include "platform/dsound.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Runegarden {

class RGWaveFile {
public:
    static constexpr DWORD kRead = 1;

    RGWaveFile();
    ~RGWaveFile();

    RGWaveFile(const RGWaveFile&) = delete;
    RGWaveFile& operator=(const RGWaveFile&) = delete;

    // Opens the file for reading (the only mode) and positions it at the start of its samples.
    void Open(const wchar_t* name, WAVEFORMATEX* format, DWORD mode);
    void ReadMMIO();
    void ResetFile();
    // Copies up to size bytes of samples to destination; *bytesRead gets the count.
    void Read(BYTE* destination, DWORD size, DWORD* bytesRead);
    void Close();

    WAVEFORMATEX* GetFormat() const { return m_Format; }
    DWORD GetSize() const { return m_DataSize; }

private:
    // One past the last byte the RIFF chunk may use: its declared end, bounded by the file.
    DWORD RiffEnd() const { return m_RiffEnd; }

    WAVEFORMATEX* m_Format;
    std::unique_ptr<BYTE[]> m_FormatBytes;
    HMMIO m_Mmio;
    MMCKINFO m_Chunk;
    MMCKINFO m_Riff;
    DWORD m_DataSize;
    std::vector<BYTE> m_ResourceCopy; // a resource's bytes, read as a memory file
    DWORD m_RiffEnd;
};

} // namespace Runegarden
