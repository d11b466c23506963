#pragma once
// The COM calls and the DirectShow filter graph the music player uses: one graph renders one MP3
// file, decoded with libmpg123 into the shared mixer's music voice (platform/audio/).
//
// Not reproduced: other media types and filters, graph editing, events other than completion,
// rates, balance. A graph decodes its whole file when it renders it, so playback never starves
// while the caller is busy.

#include "platform/unknwn.h"

// --- COM -------------------------------------------------------------------------------------
#define CLSCTX_INPROC_SERVER 0x1
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)

extern const CLSID CLSID_FilterGraph;
extern const IID IID_IUnknown;
extern const IID IID_IGraphBuilder;
extern const IID IID_IMediaControl;
extern const IID IID_IMediaEvent;
extern const IID IID_IBasicAudio;
extern const IID IID_IMediaSeeking;

// S_OK on a thread's first call, S_FALSE after; each call is matched by one CoUninitialize.
HRESULT CoInitialize(void* reserved);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);

// --- DirectShow ------------------------------------------------------------------------------
#define EC_COMPLETE 0x01
#define AM_SEEKING_NoPositioning 0x0
#define AM_SEEKING_AbsolutePositioning 0x1

// Every interface can ask the object for the others; the answer is AddRef'd.
struct IGraphBuilder : virtual IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    // Opens the file and decodes it; a missing file E_FILE_NOT_FOUND, undecodable data E_FAIL.
    virtual HRESULT RenderFile(const wchar_t* file, const wchar_t* playList) = 0;
};

struct IMediaControl : virtual IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual HRESULT Run() = 0;  // plays on from the current position
    virtual HRESULT Stop() = 0;
};

struct IMediaEvent : virtual IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    // S_OK with EC_COMPLETE once the stream has played to its end, else E_ABORT after ms.
    virtual HRESULT WaitForCompletion(LONG ms, LONG* eventCode) = 0;
};

struct IBasicAudio : virtual IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual HRESULT put_Volume(LONG hundredthsOfDb) = 0; // -10000 (silent) .. 0 (full)
    virtual HRESULT get_Volume(LONG* hundredthsOfDb) = 0;
};

struct IMediaSeeking : virtual IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    // In 100 ns units: the audio already played, and the length of the file.
    virtual HRESULT GetPositions(LONGLONG* current, LONGLONG* stop) = 0;
    virtual HRESULT SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                 DWORD stopFlags) = 0;
};
