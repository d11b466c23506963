#pragma once
// Named sound effects, each with a pool of identical buffers so that a sound can overlap itself
// up to the pool's size. Choosing a free buffer and starting it happen under one lock, so two
// threads never start the same buffer.

#include "game/audio/RGLockGuard.h"
#include "game/audio/RGSoundBuffer.h"
#include "platform/wintypes.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <string>
#include <unordered_map>
#include <vector>

namespace Runegarden {

class RGSoundManager {
public:
    explicit RGSoundManager(HWND window);
    virtual ~RGSoundManager();

    // Makes count buffers of the file and stores them as the name's pool, replacing an earlier
    // one; on failure the earlier pool stays.
    void AddSound(const std::string& name, const std::wstring& path, int count);
    // Plays the name on the first idle buffer of its pool; nothing when all are busy.
    void PlaySound(const std::string& name);
    bool IsPlaying(const std::string& name);
    void Stop(const std::string& name);

    // 0.0 silent .. 1.0 full; values outside are taken as the nearest end.
    void SetMasterVolume(float volume) { m_MasterVolume = volume; }
    float GetMasterVolume() const { return m_MasterVolume; }

    // The attenuation in hundredths of a decibel that a master volume gives.
    static LONG VolumeOf(float masterVolume);

private:
    typedef std::vector<boost::shared_ptr<RGSoundBuffer> > Pool;

    Pool FindPool(const std::string& name);

    HWND m_Window;
    std::unordered_map<std::string, Pool> m_Sounds;
    std::atomic<float> m_MasterVolume;
    RGLockGuard m_Lock;
};

// The game's one sound manager; empty until the game registers its sounds.
extern boost::shared_ptr<RGSoundManager> gSoundManager;

} // namespace Runegarden
