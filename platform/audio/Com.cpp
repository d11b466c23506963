// COM as the music thread uses it: per-thread initialisation and the one creatable class, the
// filter graph. The identifiers only need to be distinct within the layer.

#include "platform/audio/AudioMixer.h"
#include "platform/audio/MusicGraph.h"
#include "platform/dshow.h"
#include "platform/posix/Hooks.h"

const CLSID CLSID_FilterGraph = {0x7a61c001, 0x5a9e, 0x4c11, {0x9d, 0x40, 0, 0, 0, 0, 0, 1}};
const IID IID_IUnknown = {0x7a61c002, 0x5a9e, 0x4c11, {0x9d, 0x40, 0, 0, 0, 0, 0, 2}};
const IID IID_IGraphBuilder = {0x7a61c003, 0x5a9e, 0x4c11, {0x9d, 0x40, 0, 0, 0, 0, 0, 3}};
const IID IID_IMediaControl = {0x7a61c004, 0x5a9e, 0x4c11, {0x9d, 0x40, 0, 0, 0, 0, 0, 4}};
const IID IID_IMediaEvent = {0x7a61c005, 0x5a9e, 0x4c11, {0x9d, 0x40, 0, 0, 0, 0, 0, 5}};
const IID IID_IBasicAudio = {0x7a61c006, 0x5a9e, 0x4c11, {0x9d, 0x40, 0, 0, 0, 0, 0, 6}};
const IID IID_IMediaSeeking = {0x7a61c007, 0x5a9e, 0x4c11, {0x9d, 0x40, 0, 0, 0, 0, 0, 7}};

namespace {
thread_local int t_ComInitialisations = 0;
}

HRESULT CoInitialize(void*)
{
    HRESULT injected = platform::hooks::TakeInjected("CoInitialize");
    if (FAILED(injected)) return injected;
    return t_ComInitialisations++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    if (t_ComInitialisations > 0) --t_ComInitialisations;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD, REFIID iid, void** object)
{
    if (!object) return E_INVALIDARG;
    *object = nullptr;
    HRESULT injected = platform::hooks::TakeInjected("CoCreateInstance");
    if (FAILED(injected)) return injected;
    if (outer) return E_NOINTERFACE;
    if (clsid != CLSID_FilterGraph) return REGDB_E_CLASSNOTREG;
    platform::audio::Mixer::Instance(); // opens the device (or settles for silence) once
    auto* graph = new platform::audio::MusicGraph();
    HRESULT hr = graph->QueryInterface(iid, object);
    graph->Release();
    return hr;
}
