#pragma once
// The music thread: plays one MP3 file at a time through a filter graph, looping it until it is
// told to stop or to fade out. The game talks to it through the play request, the fade flag, the
// file name and the volume; its calls return at once (after a short sleep) and the thread does
// the work. The owner starts the thread (SThread::Start); the destructor stops and joins it.

#include "engine/framework/threads/SLockGuard.h"
#include "engine/framework/threads/SThread.h"
#include "engine/framework/threads/TSafeData.h"
#include "platform/dshow.h"

#include <atomic>
#include <string>

namespace Runegarden {

class RGMp3Player : public TarnEngine::SThread {
public:
    RGMp3Player();
    ~RGMp3Player() override;

    // Plays the file, looping, once the current music (if any) has stopped.
    void Play(const std::string& fileName);
    // Stops the music at once (a fade in progress runs to its end).
    void Stop();
    // Fades the music out over one second, then stops it.
    void FadeOut();

    // 0.0 silent .. 1.0 full; values outside are taken as the nearest end.
    void SetVolume(float volume) { m_Volume = volume; }
    float GetVolume() const { return m_Volume; }

    // Sets or withdraws the play request without the caller's sleep; set, the thread plays its
    // current file again from the start.
    void SetPlayRequest(bool requested);

    // The game's focus handling: music silenced by a focus loss comes back at the saved volume.
    void SetSilencedByFocus(bool silenced) { m_SilencedByFocus = silenced; }
    bool IsSilencedByFocus() const { return m_SilencedByFocus; }
    void SetSavedVolume(float volume) { m_SavedVolume = volume; }
    float GetSavedVolume() const { return m_SavedVolume; }

    // The graph volume (hundredths of a decibel) for a music volume, and for a fade at t (0..1).
    static LONG PlayingVolumeOf(float volume);
    static LONG FadingVolumeOf(float volume, float t);

protected:
    void Run() override;

private:
    bool IsRequested();
    bool IsFading();
    void ClearFading();
    // Plays the file until it is withdrawn or faded out; false when it could not be started.
    bool PlayFile(const std::string& fileName);
    void Loop(IMediaEvent* event, IBasicAudio* audio, IMediaSeeking* seeking);
    void Fade(IBasicAudio* audio);

    // The play request and the file name and fade timing that go with it, under one lock.
    TarnEngine::SLockGuard m_RequestLock;
    bool m_PlayRequested;
    std::string m_FileName;
    DWORD m_FadeDuration;
    DWORD m_FadeStart;
    TarnEngine::TSafeData<bool> m_Fading;
    std::atomic<float> m_Volume;
    std::atomic<bool> m_Running;
    std::atomic<bool> m_SilencedByFocus;
    std::atomic<float> m_SavedVolume;
};

} // namespace Runegarden
