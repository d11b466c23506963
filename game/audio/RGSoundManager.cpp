#include "game/audio/RGSoundManager.h"

#include "engine/core/base/SEngineException.h"
#include "engine/core/base/SLoger.h"

static const char* const kTarnSource = "..\\Src\\RGSoundManager";

namespace Runegarden {

using TarnEngine::SEngineException;

boost::shared_ptr<RGSoundManager> gSoundManager;

RGSoundManager::RGSoundManager(HWND window) : m_Window(window), m_MasterVolume(100.0f)
{
}

RGSoundManager::~RGSoundManager()
{
}

LONG RGSoundManager::VolumeOf(float masterVolume)
{
    // Clamped so that the result stays within what a buffer accepts (-10000..0); a volume that
    // is not a number (a damaged setting) is silent rather than an undefined conversion.
    const float volume = !(masterVolume > 0.0f) ? 0.0f : (masterVolume > 1.0f ? 1.0f : masterVolume);
    return static_cast<LONG>((1.0f - volume) * -10000.0f);
}

void RGSoundManager::AddSound(const std::string& name, const std::wstring& path, int count)
{
    TARN_TRY
    Pool pool;
    for (int i = 0; i < count; ++i) {
        boost::shared_ptr<RGSoundBuffer> buffer(new RGSoundBuffer());
        buffer->Create(m_Window, path);
        pool.push_back(buffer);
    }
    if (!pool.empty() && pool.front()->IsSilent())
        gLoger << SCore::GetCurrentDateTime() << (" sound can't be converted for the mixer, it plays silence:" + name + "\n");
    CriticalSectionLock hold(m_Lock.Section());
    m_Sounds[name].swap(pool);
    TARN_CATCH("RGSoundManager::AddSound()")
}

RGSoundManager::Pool RGSoundManager::FindPool(const std::string& name)
{
    CriticalSectionLock hold(m_Lock.Section());
    auto it = m_Sounds.find(name);
    if (it == m_Sounds.end()) throw SEngineException("unknown sound name:" + name);
    return it->second;
}

void RGSoundManager::PlaySound(const std::string& name)
{
    TARN_TRY
    CriticalSectionLock hold(m_Lock.Section());
    const Pool pool = FindPool(name);
    for (const auto& buffer : pool) {
        if (buffer->IsPlaying()) continue;
        buffer->SetVolume(VolumeOf(m_MasterVolume));
        buffer->Play();
        return;
    }
    TARN_CATCH("RGSoundManager::PlaySound()")
}

bool RGSoundManager::IsPlaying(const std::string& name)
{
    TARN_TRY
    bool playing = false;
    for (const auto& buffer : FindPool(name)) {
        if (buffer->IsPlaying()) playing = true; // every buffer is asked
    }
    return playing;
    TARN_CATCH("RGSoundManager::IsPlaying()")
}

void RGSoundManager::Stop(const std::string& name)
{
    TARN_TRY
    for (const auto& buffer : FindPool(name)) buffer->Stop();
    TARN_CATCH("RGSoundManager::Stop()")
}

} // namespace Runegarden
