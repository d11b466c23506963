// The mmio calls a RIFF reader needs, over a file read whole into memory. The I/O buffer handed
// out by mmioGetInfo is a window onto those bytes, refilled by mmioAdvance.

#include "platform/dsound.h"
#include "platform/files.h"
#include "platform/posix/Hooks.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kIoBufferSize = 8192;

struct MmioFile {
    std::vector<char> bytes;
    size_t position = 0;
};

MmioFile* FileOf(HMMIO handle)
{
    return reinterpret_cast<MmioFile*>(handle);
}

char* Base(MmioFile* file)
{
    return file->bytes.data();
}

void FillWindow(MmioFile* file, MMIOINFO* info)
{
    const size_t end = std::min(file->bytes.size(), file->position + kIoBufferSize);
    info->pchBuffer = Base(file) + file->position;
    info->cchBuffer = static_cast<LONG>(kIoBufferSize);
    info->pchNext = Base(file) + file->position;
    info->pchEndRead = Base(file) + end;
    info->pchEndWrite = info->pchBuffer;
    info->lBufOffset = static_cast<LONG>(file->position);
    info->lDiskOffset = static_cast<LONG>(end);
}

// The position a caller's buffer pointer stands for, kept inside the file.
size_t PositionOf(MmioFile* file, const char* next)
{
    if (!next || next < Base(file)) return file->position;
    return std::min(file->bytes.size(), static_cast<size_t>(next - Base(file)));
}

bool ReadDword(MmioFile* file, uint64_t at, DWORD& value)
{
    if (at + 4 > file->bytes.size()) return false;
    std::memcpy(&value, Base(file) + at, 4);
    return true;
}

HMMIO Open(const std::wstring& path, MMIOINFO* info)
{
    if (FAILED(platform::hooks::TakeInjected("mmioOpen"))) return nullptr;
    MmioFile* file = new MmioFile();
    if (info && info->fccIOProc == FOURCC_MEM) {
        if (!info->pchBuffer || info->cchBuffer < 0) {
            delete file;
            return nullptr;
        }
        file->bytes.assign(info->pchBuffer, info->pchBuffer + info->cchBuffer);
    } else {
        std::string bytes;
        if (!ReadFileBytes(path, false, bytes)) {
            delete file;
            return nullptr;
        }
        file->bytes.assign(bytes.begin(), bytes.end());
    }
    return reinterpret_cast<HMMIO>(file);
}

} // namespace

HMMIO mmioOpen(const char* path, MMIOINFO* info, DWORD)
{
    return Open(Utf8ToWide(path ? path : ""), info);
}

HMMIO mmioOpen(const wchar_t* path, MMIOINFO* info, DWORD)
{
    return Open(path ? std::wstring(path) : std::wstring(), info);
}

MMRESULT mmioClose(HMMIO handle, UINT)
{
    delete FileOf(handle);
    return MMSYSERR_NOERROR;
}

LONG mmioRead(HMMIO handle, char* buffer, LONG bytes)
{
    if (FAILED(platform::hooks::TakeInjected("mmioRead"))) return -1;
    MmioFile* file = FileOf(handle);
    if (!file || bytes < 0 || (!buffer && bytes > 0)) return -1;
    const size_t n = std::min<size_t>(static_cast<size_t>(bytes), file->bytes.size() - file->position);
    if (n) std::memcpy(buffer, Base(file) + file->position, n);
    file->position += n;
    return static_cast<LONG>(n);
}

LONG mmioSeek(HMMIO handle, LONG offset, int origin)
{
    if (FAILED(platform::hooks::TakeInjected("mmioSeek"))) return -1;
    MmioFile* file = FileOf(handle);
    if (!file) return -1;
    int64_t base = 0;
    if (origin == SEEK_CUR) base = static_cast<int64_t>(file->position);
    else if (origin == SEEK_END) base = static_cast<int64_t>(file->bytes.size());
    else if (origin != SEEK_SET) return -1;
    const int64_t target = base + offset;
    if (target < 0 || target > static_cast<int64_t>(file->bytes.size())) return -1;
    file->position = static_cast<size_t>(target);
    return static_cast<LONG>(target);
}

MMRESULT mmioDescend(HMMIO handle, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags)
{
    if (FAILED(platform::hooks::TakeInjected("mmioDescend"))) return MMIOERR_CANNOTREAD;
    MmioFile* file = FileOf(handle);
    if (!file || !chunk) return MMIOERR_CANNOTREAD;
    uint64_t end = file->bytes.size();
    if (parent) end = std::min<uint64_t>(end, uint64_t(parent->dwDataOffset) + parent->cksize);
    const bool find = (flags & (MMIO_FINDCHUNK | MMIO_FINDRIFF)) != 0;
    const FOURCC wantId = (flags & MMIO_FINDRIFF) ? FOURCC_RIFF : chunk->ckid;
    const FOURCC wantType = chunk->fccType;
    uint64_t at = file->position;
    for (;;) {
        DWORD id = 0, size = 0;
        if (at + 8 > end || !ReadDword(file, at, id) || !ReadDword(file, at + 4, size))
            return MMIOERR_CHUNKNOTFOUND;
        const uint64_t data = at + 8;
        DWORD type = 0;
        const bool hasType = id == FOURCC_RIFF || id == FOURCC_LIST;
        if (hasType && !ReadDword(file, data, type)) return MMIOERR_CHUNKNOTFOUND;
        const bool match = !find || (id == wantId && (!(flags & MMIO_FINDRIFF) || type == wantType));
        if (match) {
            chunk->ckid = id;
            chunk->cksize = size;
            chunk->fccType = hasType ? type : 0;
            chunk->dwDataOffset = static_cast<DWORD>(data);
            chunk->dwFlags = 0;
            file->position = static_cast<size_t>(data + (hasType ? 4 : 0));
            return MMSYSERR_NOERROR;
        }
        at = data + size + (size & 1); // chunks are padded to an even length
    }
}

MMRESULT mmioAscend(HMMIO handle, MMCKINFO* chunk, UINT)
{
    if (FAILED(platform::hooks::TakeInjected("mmioAscend"))) return MMIOERR_CANNOTSEEK;
    MmioFile* file = FileOf(handle);
    if (!file || !chunk) return MMIOERR_CANNOTSEEK;
    const uint64_t after = uint64_t(chunk->dwDataOffset) + chunk->cksize + (chunk->cksize & 1);
    file->position = static_cast<size_t>(std::min<uint64_t>(after, file->bytes.size()));
    return MMSYSERR_NOERROR;
}

MMRESULT mmioGetInfo(HMMIO handle, MMIOINFO* info, UINT)
{
    if (FAILED(platform::hooks::TakeInjected("mmioGetInfo"))) return MMIOERR_CANNOTREAD;
    MmioFile* file = FileOf(handle);
    if (!file || !info) return MMIOERR_CANNOTREAD;
    std::memset(info, 0, sizeof(*info));
    info->hmmio = handle;
    FillWindow(file, info);
    return MMSYSERR_NOERROR;
}

MMRESULT mmioSetInfo(HMMIO handle, const MMIOINFO* info, UINT)
{
    if (FAILED(platform::hooks::TakeInjected("mmioSetInfo"))) return MMIOERR_CANNOTREAD;
    MmioFile* file = FileOf(handle);
    if (!file || !info) return MMIOERR_CANNOTREAD;
    file->position = PositionOf(file, info->pchNext);
    return MMSYSERR_NOERROR;
}

MMRESULT mmioAdvance(HMMIO handle, MMIOINFO* info, UINT)
{
    if (FAILED(platform::hooks::TakeInjected("mmioAdvance"))) return MMIOERR_CANNOTREAD;
    MmioFile* file = FileOf(handle);
    if (!file || !info) return MMIOERR_CANNOTREAD;
    file->position = PositionOf(file, info->pchNext);
    FillWindow(file, info);
    return MMSYSERR_NOERROR;
}
