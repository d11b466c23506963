#include "platform/audio/MusicGraph.h"

#include "platform/files.h"
#include "platform/audio/Hooks.h"
#include "platform/posix/Hooks.h"
#include "platform/win32.h"

#include <mpg123.h>

#include <algorithm>
#include <mutex>

namespace platform {
namespace audio {

namespace {

constexpr LONGLONG kUnitsPerSecond = 10000000; // REFERENCE_TIME is in 100 ns

LONGLONG FramesToUnits(size_t frames)
{
    return static_cast<LONGLONG>(frames) * kUnitsPerSecond / kMixRate;
}

} // namespace

bool DecodeMp3(const std::string& bytes, std::vector<int16_t>& samples)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });
    samples.clear();
    int error = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    if (!handle) return false;
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // Only the mixer's format: libmpg123 converts channels and rate itself.
    mpg123_format_none(handle);
    mpg123_format(handle, kMixRate, MPG123_STEREO, MPG123_ENC_SIGNED_16);
    bool ok = mpg123_open_feed(handle) == MPG123_OK &&
              mpg123_feed(handle, reinterpret_cast<const unsigned char*>(bytes.data()),
                          bytes.size()) == MPG123_OK;
    std::vector<unsigned char> chunk(16384);
    while (ok) {
        size_t done = 0;
        int result = mpg123_read(handle, chunk.data(), chunk.size(), &done);
        const int16_t* decoded = reinterpret_cast<const int16_t*>(chunk.data());
        samples.insert(samples.end(), decoded, decoded + done / sizeof(int16_t));
        if (result == MPG123_NEW_FORMAT || (result == MPG123_OK && done > 0)) continue;
        break; // MPG123_NEED_MORE or MPG123_DONE: all fed bytes are decoded; else an error
    }
    mpg123_delete(handle);
    samples.resize(samples.size() - samples.size() % kMixChannels);
    return ok && !samples.empty();
}

MusicGraph::MusicGraph() : m_Voice(std::make_shared<Voice>())
{
    auto lock = Mixer::Instance().Acquire();
    hooks::GraphMade(this, m_Voice);
    Mixer::Instance().Add(m_Voice);
}

MusicGraph::~MusicGraph()
{
    auto lock = Mixer::Instance().Acquire();
    Mixer::Instance().Remove(m_Voice);
    m_Voice->playing = false;
    hooks::GraphDestroyed(this);
}

HRESULT MusicGraph::QueryInterface(REFIID iid, void** object)
{
    if (!object) return E_INVALIDARG;
    *object = nullptr;
    HRESULT injected = hooks::TakeInjected("IGraphBuilder::QueryInterface");
    if (FAILED(injected)) return injected;
    if (iid == IID_IUnknown || iid == IID_IGraphBuilder)
        *object = static_cast<IGraphBuilder*>(this);
    else if (iid == IID_IMediaControl)
        *object = static_cast<IMediaControl*>(this);
    else if (iid == IID_IMediaEvent)
        *object = static_cast<IMediaEvent*>(this);
    else if (iid == IID_IBasicAudio)
        *object = static_cast<IBasicAudio*>(this);
    else if (iid == IID_IMediaSeeking)
        *object = static_cast<IMediaSeeking*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT MusicGraph::RenderFile(const wchar_t* file, const wchar_t*)
{
    const std::wstring name = file ? file : L"";
    HRESULT result = hooks::TakeInjected("IGraphBuilder::RenderFile");
    std::vector<int16_t> samples;
    if (SUCCEEDED(result)) {
        std::string bytes;
        if (!file || !ReadFileBytes(name, false, bytes))
            result = E_FILE_NOT_FOUND;
        else if (!DecodeMp3(bytes, samples))
            result = E_FAIL;
    }
    auto lock = Mixer::Instance().Acquire();
    hooks::GraphRendered(this, name, result);
    if (SUCCEEDED(result)) {
        m_Voice->samples = std::make_shared<const std::vector<int16_t>>(std::move(samples));
        m_Voice->frame = 0;
    }
    return result;
}

HRESULT MusicGraph::Run()
{
    HRESULT injected = hooks::TakeInjected("IMediaControl::Run");
    if (FAILED(injected)) return injected;
    auto lock = Mixer::Instance().Acquire();
    if (!m_Voice->samples) return E_FAIL;
    Mixer::Instance().Sync();
    m_Running = true;
    hooks::GraphCalled(this, hooks::GraphCall::Run);
    m_Voice->playing = !m_Voice->AtEnd();
    return S_OK;
}

HRESULT MusicGraph::Stop()
{
    auto lock = Mixer::Instance().Acquire();
    Mixer::Instance().Sync();
    m_Running = false;
    hooks::GraphCalled(this, hooks::GraphCall::Stop);
    m_Voice->playing = false;
    return S_OK;
}

HRESULT MusicGraph::WaitForCompletion(LONG ms, LONG* eventCode)
{
    if (eventCode) *eventCode = 0;
    const unsigned wait = ms < 0 ? 0xFFFFFFFFu : static_cast<unsigned>(ms);
    Mixer& mixer = Mixer::Instance();
    auto lock = mixer.Acquire();
    hooks::GraphCalled(this, hooks::GraphCall::Wait);
    mixer.Sync();
    const bool hasStream = m_Voice->Frames() > 0;
    bool ended = hasStream && m_Voice->AtEnd();
    if (!ended && hooks::GraphWaitAdvancesClock()) {
        // Let time pass as far as the end of the stream, or the whole wait.
        DWORD advance = wait;
        if (m_Running) {
            const size_t left = m_Voice->Frames() - m_Voice->frame;
            const uint64_t leftMs = (uint64_t(left) * 1000 + kMixRate - 1) / kMixRate;
            if (leftMs < advance) advance = static_cast<DWORD>(leftMs);
        }
        hooks::LetTimePass(advance);
        mixer.Sync();
        ended = hasStream && m_Voice->AtEnd();
    } else if (!ended) {
        ended = hasStream && mixer.WaitForEnd(lock, m_Voice, wait);
    }
    if (!ended) return E_ABORT;
    if (eventCode) *eventCode = EC_COMPLETE;
    return S_OK;
}

HRESULT MusicGraph::put_Volume(LONG hundredthsOfDb)
{
    if (hundredthsOfDb < -10000 || hundredthsOfDb > 0) return E_INVALIDARG;
    auto lock = Mixer::Instance().Acquire();
    m_Volume = hundredthsOfDb;
    m_Voice->gain = GainOfVolume(hundredthsOfDb);
    hooks::GraphVolumeSet(this, hundredthsOfDb);
    return S_OK;
}

HRESULT MusicGraph::get_Volume(LONG* hundredthsOfDb)
{
    if (!hundredthsOfDb) return E_INVALIDARG;
    auto lock = Mixer::Instance().Acquire();
    *hundredthsOfDb = m_Volume;
    return S_OK;
}

HRESULT MusicGraph::GetPositions(LONGLONG* current, LONGLONG* stop)
{
    auto lock = Mixer::Instance().Acquire();
    Mixer::Instance().Sync();
    if (current) *current = FramesToUnits(m_Voice->frame);
    if (stop) *stop = FramesToUnits(m_Voice->Frames());
    return S_OK;
}

HRESULT MusicGraph::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG*, DWORD)
{
    if ((currentFlags & AM_SEEKING_AbsolutePositioning) == 0) return S_OK;
    if (!current || *current < 0) return E_INVALIDARG;
    auto lock = Mixer::Instance().Acquire();
    Mixer::Instance().Sync();
    const uint64_t frame = static_cast<uint64_t>(*current) * kMixRate / kUnitsPerSecond;
    m_Voice->frame = static_cast<size_t>(std::min<uint64_t>(frame, m_Voice->Frames()));
    m_Voice->playing = m_Running && !m_Voice->AtEnd();
    hooks::GraphCalled(this, hooks::GraphCall::Seek);
    return S_OK;
}

} // namespace audio
} // namespace platform
