#pragma once
// DirectSound and the multimedia-file (mmio) RIFF reader, as the game's sound effects use them.
//
// Every IDirectSound is a handle on one shared mixer (platform/audio/): 22050 Hz, 16-bit, stereo,
// played through SDL2 when a device opens, otherwise consumed in real time by a null mixer.
// Secondary buffers hold whole sounds (PCM 8-bit unsigned or 16-bit signed, mono or stereo, any
// rate); they are converted to the mixer's format on Unlock. Not reproduced: 3D sound, panning and
// frequency changes, looping, notifications, buffer loss, hardware voices.
// mmio reads whole files into memory and offers the read-only calls a RIFF reader needs; program
// resources exist only when a test registers them (platform/testing_audio.h).

#include "platform/unknwn.h"

#include <cstdio>

// --- Results ---------------------------------------------------------------------------------
#define DS_OK S_OK
#define DSERR_BADFORMAT ((HRESULT)0x88780064L)
#define DSERR_INVALIDCALL ((HRESULT)0x88780032L)
#define DSERR_INVALIDPARAM ((HRESULT)0x80070057L)
#define DSERR_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define DSERR_PRIOLEVELNEEDED ((HRESULT)0x88780046L)
#define DSERR_UNSUPPORTED ((HRESULT)0x80004001L)

// --- Constants -------------------------------------------------------------------------------
#define DSSCL_PRIORITY 2
#define DSBCAPS_PRIMARYBUFFER 0x00000001
#define DSBCAPS_CTRLFREQUENCY 0x00000020
#define DSBCAPS_CTRLPAN 0x00000040
#define DSBCAPS_CTRLVOLUME 0x00000080
#define DSBVOLUME_MIN (-10000)
#define DSBVOLUME_MAX 0
#define DSBPLAY_LOOPING 0x00000001
#define DSBSTATUS_PLAYING 0x00000001
#define DSBSTATUS_BUFFERLOST 0x00000002
#define WAVE_FORMAT_PCM 1

// The record sizes the game writes are those of the 32-bit platform; the layer checks these.
#define DSBUFFERDESC_SIZE 36
#define PCMWAVEFORMAT_SIZE 16
#define WAVEFORMATEX_SIZE 18

#pragma pack(push, 1)
struct WAVEFORMAT {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
};
struct PCMWAVEFORMAT {
    WAVEFORMAT wf;
    WORD wBitsPerSample;
};
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize; // extra format bytes that follow the record
};
#pragma pack(pop)
static_assert(sizeof(PCMWAVEFORMAT) == PCMWAVEFORMAT_SIZE, "PCMWAVEFORMAT is 16 bytes");
static_assert(sizeof(WAVEFORMATEX) == WAVEFORMATEX_SIZE, "WAVEFORMATEX is 18 bytes");
typedef WAVEFORMATEX* LPWAVEFORMATEX;

struct DSBUFFERDESC {
    DWORD dwSize; // DSBUFFERDESC_SIZE
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    WAVEFORMATEX* lpwfxFormat;
    GUID guid3DAlgorithm;
};

// --- Interfaces ------------------------------------------------------------------------------
struct IDirectSoundBuffer : IUnknown {
    virtual HRESULT GetStatus(DWORD* status) = 0;
    virtual HRESULT SetFormat(const WAVEFORMATEX* format) = 0;
    // Only whole-buffer locks are offered: the first part gets everything, the second is empty.
    virtual HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2,
                         DWORD* bytes2, DWORD flags) = 0;
    virtual HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2) = 0;
    virtual HRESULT SetVolume(LONG hundredthsOfDb) = 0;
    virtual HRESULT GetVolume(LONG* hundredthsOfDb) = 0;
    virtual HRESULT SetCurrentPosition(DWORD bytes) = 0;
    virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
    virtual HRESULT Stop() = 0;
};
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;

struct IDirectSound : IUnknown {
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;
    virtual HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer,
                                      IUnknown* outer) = 0;
};
typedef IDirectSound* LPDIRECTSOUND;

// Releasing the IDirectSound also destroys every buffer it made.
HRESULT DirectSoundCreate(const GUID* device, IDirectSound** sound, IUnknown* outer);

// --- mmio ------------------------------------------------------------------------------------
typedef DWORD FOURCC;
typedef UINT MMRESULT;

#define mmioFOURCC(a, b, c, d)                                                                  \
    ((FOURCC)(BYTE)(a) | ((FOURCC)(BYTE)(b) << 8) | ((FOURCC)(BYTE)(c) << 16) |                  \
     ((FOURCC)(BYTE)(d) << 24))
#define FOURCC_RIFF mmioFOURCC('R', 'I', 'F', 'F')
#define FOURCC_LIST mmioFOURCC('L', 'I', 'S', 'T')
#define FOURCC_MEM mmioFOURCC('M', 'E', 'M', ' ')

#define MMSYSERR_NOERROR 0
#define MMIOERR_CHUNKNOTFOUND 265
#define MMIOERR_CANNOTSEEK 266
#define MMIOERR_CANNOTREAD 267
#define MMIOERR_INVALIDFILE 268

#define MMIO_READ 0x00000000
#define MMIO_ALLOCBUF 0x00010000
#define MMIO_FINDCHUNK 0x0010
#define MMIO_FINDRIFF 0x0020
// mmioSeek takes the C library's SEEK_SET.

struct MMIOINFO {
    DWORD dwFlags;
    FOURCC fccIOProc; // FOURCC_MEM with pchBuffer/cchBuffer opens those bytes
    LONG cchBuffer;
    char* pchBuffer;
    char* pchNext;    // next byte to read in the I/O buffer
    char* pchEndRead; // one past the last valid byte of the I/O buffer
    char* pchEndWrite;
    LONG lBufOffset;
    LONG lDiskOffset;
    HMMIO hmmio;
};
typedef MMIOINFO* LPMMIOINFO;

struct MMCKINFO {
    FOURCC ckid;
    DWORD cksize;
    FOURCC fccType;     // form type of RIFF and LIST chunks
    DWORD dwDataOffset; // file offset of the chunk's data
    DWORD dwFlags;
};
typedef MMCKINFO* LPMMCKINFO;

HMMIO mmioOpen(const char* path, MMIOINFO* info, DWORD flags);
HMMIO mmioOpen(const wchar_t* path, MMIOINFO* info, DWORD flags);
MMRESULT mmioClose(HMMIO file, UINT flags);
LONG mmioRead(HMMIO file, char* buffer, LONG bytes);
LONG mmioSeek(HMMIO file, LONG offset, int origin);
MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags);
MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT flags);
MMRESULT mmioGetInfo(HMMIO file, MMIOINFO* info, UINT flags);
MMRESULT mmioSetInfo(HMMIO file, const MMIOINFO* info, UINT flags);
MMRESULT mmioAdvance(HMMIO file, MMIOINFO* info, UINT flags);

// --- Program resources -----------------------------------------------------------------------
typedef struct HRSRC__* HRSRC;
typedef void* HGLOBAL;
HRSRC FindResourceA(HMODULE module, const char* name, const char* type);
HRSRC FindResourceW(HMODULE module, const wchar_t* name, const wchar_t* type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
void* LockResource(HGLOBAL data);
