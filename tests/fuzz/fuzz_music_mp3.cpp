// Feeds arbitrary bytes, as an MP3 file, to a music graph: rendering either fails or gives a
// graph that runs, seeks, plays a few mixer steps and stops, with no graph left alive after.

#include "platform/dshow.h"
#include "platform/files.h"
#include "platform/testing.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace pt = platform::testing;

namespace {

std::string g_File;

// Lets a tenth of a second pass and mixes it, as the device callback would.
void PlayATenth()
{
    static int16_t out[2 * 4410];
    pt::AdvanceFakeTime(100);
    pt::RenderMixer(out, 4410);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    pt::SetFakeTime(1000);
    pt::UseSteppedMixer(true);
    g_File = "/tmp/fuzz_music_mp3." + std::to_string(getpid()) + ".mp3";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        std::ofstream out(g_File, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    IGraphBuilder* graph = nullptr;
    if (CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                         reinterpret_cast<void**>(&graph)) != S_OK)
        abort();
    IMediaControl* control = nullptr;
    IMediaSeeking* seeking = nullptr;
    graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
    graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking));
    if (SUCCEEDED(graph->RenderFile(Utf8ToWide(g_File).c_str(), nullptr))) {
        if (FAILED(control->Run())) abort();
        PlayATenth();
        LONGLONG start = 0;
        seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
        PlayATenth();
        control->Stop();
    } else if (SUCCEEDED(control->Run())) {
        abort(); // nothing rendered, nothing to run
    }
    seeking->Release();
    control->Release();
    graph->Release();
    if (pt::LiveGraphs() != 0) abort();
    return 0;
}
