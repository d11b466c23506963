#include "game/app/kit/RGGameMode.h"

#include "engine/core/base/TarnCoreException.h"

static const char* const kTarnSource = "..\\Src\\RGGameMode";

namespace Runegarden {

RGGameMode::RGGameMode(const boost::shared_ptr<Fader>& fader, float fadeTime)
    : m_CurrentMode(RGGM_SPLASH), m_PendingMode(RGGM_SPLASH), m_PreviousMode(RGGM_SPLASH), m_Changed(true),
      m_Fader(fader), m_FadeTime(fadeTime), m_Requested(false)
{
    m_Fader->FadeOut(m_FadeTime);
}

void RGGameMode::ChangeMode(RGGameModeType mode)
{
    TARN_TRY
    CriticalSectionLock hold(m_Lock.Section());
    m_PendingMode = mode;
    m_Requested = true;
    m_Fader->FadeIn(m_FadeTime);
    TARN_CATCH("RGGameMode::ChangeMode(NewMode)")
}

void RGGameMode::Update()
{
    TARN_TRY
    CriticalSectionLock hold(m_Lock.Section());
    m_Fader->Update();
    if (m_Requested && m_Fader->m_State == FS_BLACK) {
        if (m_PendingMode != m_CurrentMode) {
            m_PreviousMode = m_CurrentMode;
            m_CurrentMode = m_PendingMode;
        }
        m_Requested = false;
        m_Fader->FadeOut(m_FadeTime);
        m_Changed = true;
    }
    TARN_CATCH("RGGameMode::Update()")
}

RGGameModeType RGGameMode::GetPendingMode()
{
    CriticalSectionLock hold(m_Lock.Section());
    return m_PendingMode;
}

} // namespace Runegarden
