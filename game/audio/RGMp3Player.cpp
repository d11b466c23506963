#include "game/audio/RGMp3Player.h"

#include "platform/files.h"
#include "platform/win32.h"

#include <cmath>

namespace Runegarden {

namespace {

const DWORD kFadeMs = 1000;
const DWORD kCallerSleepMs = 200;
const DWORD kIdleSleepMs = 100;
const DWORD kRetrySleepMs = 100;
const DWORD kFadeStepMs = 10;
const LONG kWaitMs = 100;
const LONG kSilent = -10000;

// Releases the graph's interfaces on every way out.
struct GraphInterfaces {
    IGraphBuilder* graph = nullptr;
    IMediaControl* control = nullptr;
    IMediaEvent* event = nullptr;
    IBasicAudio* audio = nullptr;
    IMediaSeeking* seeking = nullptr;

    ~GraphInterfaces()
    {
        if (seeking) seeking->Release();
        if (audio) audio->Release();
        if (event) event->Release();
        if (control) control->Release();
        if (graph) graph->Release();
    }
};

// Not a number counts as silent, like anything below 0.
float Clamp01(float v)
{
    return !(v > 0.0f) ? 0.0f : (v > 1.0f ? 1.0f : v);
}

} // namespace

RGMp3Player::RGMp3Player()
    : m_PlayRequested(false), m_FadeDuration(0), m_FadeStart(0), m_Fading(false), m_Volume(0.0f),
      m_Running(true), m_SilencedByFocus(false), m_SavedVolume(0.0f)
{
}

RGMp3Player::~RGMp3Player()
{
    {
        CriticalSectionLock hold(m_RequestLock.Section());
        m_PlayRequested = false;
    }
    m_Running = false;
    Join();
}

LONG RGMp3Player::PlayingVolumeOf(float volume)
{
    const float v = Clamp01(volume);
    return static_cast<LONG>(std::log(1.0f + 1.7f * (1.0f - v)) * -10000.0f);
}

LONG RGMp3Player::FadingVolumeOf(float volume, float t)
{
    return static_cast<LONG>(((1.0f - t) * Clamp01(volume) - 1.0f) * 10000.0f);
}

void RGMp3Player::Play(const std::string& fileName)
{
    Sleep(kCallerSleepMs);
    CriticalSectionLock hold(m_RequestLock.Section());
    m_FileName = fileName;
    m_PlayRequested = true;
}

void RGMp3Player::Stop()
{
    SetPlayRequest(false);
}

void RGMp3Player::SetPlayRequest(bool requested)
{
    CriticalSectionLock hold(m_RequestLock.Section());
    m_PlayRequested = requested;
}

void RGMp3Player::FadeOut()
{
    {
        CriticalSectionLock hold(m_RequestLock.Section());
        m_FadeStart = timeGetTime();
        m_FadeDuration = kFadeMs;
    }
    m_Fading.Set(true);
    {
        CriticalSectionLock hold(m_RequestLock.Section());
        m_PlayRequested = false;
    }
    Sleep(kCallerSleepMs);
}

bool RGMp3Player::IsRequested()
{
    CriticalSectionLock hold(m_RequestLock.Section());
    return m_PlayRequested;
}

bool RGMp3Player::IsFading()
{
    return m_Fading.Get();
}

void RGMp3Player::ClearFading()
{
    m_Fading.Set(false);
}

void RGMp3Player::Run()
{
    try {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
        if (FAILED(CoInitialize(nullptr))) return;
        while (m_Running) {
            std::string fileName;
            bool requested = false;
            {
                CriticalSectionLock hold(m_RequestLock.Section());
                requested = m_PlayRequested;
                fileName = m_FileName;
                // A fade asked for while nothing played has nothing to fade; it must not
                // reach the music that starts now.
                if (requested) ClearFading();
            }
            if (!requested) {
                ClearFading();
                Sleep(kIdleSleepMs);
                continue;
            }
            if (!PlayFile(fileName)) Sleep(kRetrySleepMs);
        }
        CoUninitialize();
    } catch (...) {
        // Nothing leaves the music thread; it ends quietly.
    }
}

bool RGMp3Player::PlayFile(const std::string& fileName)
{
    const std::wstring wideName = Utf8ToWide(fileName);
    GraphInterfaces g;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(&g.graph))) ||
        !g.graph)
        return false;
    if (FAILED(g.graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&g.control))) ||
        FAILED(g.graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&g.event))) ||
        FAILED(g.graph->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&g.audio))) ||
        FAILED(g.graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&g.seeking))))
        return false;
    if (FAILED(g.graph->RenderFile(wideName.c_str(), nullptr))) return false;
    if (FAILED(g.control->Run())) return false;
    Loop(g.event, g.audio, g.seeking);
    Fade(g.audio);
    g.control->Stop();
    return true;
}

void RGMp3Player::Loop(IMediaEvent* event, IBasicAudio* audio, IMediaSeeking* seeking)
{
    while (m_Running && IsRequested() && !IsFading()) {
        audio->put_Volume(PlayingVolumeOf(m_Volume));
        LONG eventCode = 0;
        event->WaitForCompletion(kWaitMs, &eventCode);
        LONGLONG current = 0, stop = 0;
        seeking->GetPositions(&current, &stop);
        if (current == stop) {
            // Played to its end: start it over, so the music loops.
            LONGLONG start = 0;
            seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr,
                                  AM_SEEKING_NoPositioning);
        }
    }
}

void RGMp3Player::Fade(IBasicAudio* audio)
{
    DWORD start = 0, duration = kFadeMs;
    {
        CriticalSectionLock hold(m_RequestLock.Section());
        start = m_FadeStart;
        duration = m_FadeDuration ? m_FadeDuration : kFadeMs;
    }
    while (IsFading()) {
        const float t = static_cast<float>(static_cast<DWORD>(timeGetTime() - start)) /
                        static_cast<float>(duration);
        if (t >= 1.0f || !m_Running) {
            // The fade ends silent; the graph stops right after.
            ClearFading();
            audio->put_Volume(kSilent);
            break;
        }
        audio->put_Volume(FadingVolumeOf(m_Volume, t));
        Sleep(kFadeStepMs);
    }
}

} // namespace Runegarden
