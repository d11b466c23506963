#pragma once
// The mode switcher. A change request fades the screen to black; once it is black the requested
// mode becomes current and the screen fades back. A request for the mode already current enters
// it again the same way, so the screen never stays black.

#include "game/app/kit/Fader.h"
#include "game/app/kit/RGGameModeType.h"
#include "game/audio/RGLockGuard.h"

#include <boost/shared_ptr.hpp>

namespace Runegarden {

class RGGameMode {
public:
    // Starts in RGGM_SPLASH on a black screen that clears over the fade time.
    RGGameMode(const boost::shared_ptr<Fader>& fader, float fadeTime);
    virtual ~RGGameMode() = default;

    // Any thread: records the mode and (re)starts the fade to black from clear.
    void ChangeMode(RGGameModeType mode);
    // Main thread, once a frame: advances the fade and switches when the screen is black.
    void Update();

    RGGameModeType GetPendingMode();
    const boost::shared_ptr<Fader>& GetFader() const { return m_Fader; }

    // Read and the changed flag cleared by the game on the main thread.
    RGGameModeType m_CurrentMode;
    RGGameModeType m_PendingMode;
    RGGameModeType m_PreviousMode;
    bool m_Changed;

private:
    boost::shared_ptr<Fader> m_Fader;
    float m_FadeTime;
    RGLockGuard m_Lock;
    // A request not yet entered (also one for the current mode).
    bool m_Requested;
};

} // namespace Runegarden
