#pragma once
// The trophies screen: 30 trophies in two sets of 15, the ones the player has won visible; a new
// trophy is announced with a "WOW" picture and then fades in slowly; a completed set shows its
// large mark; pointing at a won trophy names it, clicking shows it large. OK ends the screen.

#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/SSpriteTransition.h"
#include "engine/framework/input/SInputMessager.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/ui/SUIForm.h"
#include "engine/framework/ui/SUILabel.h"
#include "game/audio/RGLockGuard.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace Runegarden {

class RGTropheis {
public:
    static const uint32_t kTrophies = 30;
    static const uint32_t kNone = 1000;

    explicit RGTropheis(const boost::shared_ptr<TarnEngine::SInputMessager>& input);
    virtual ~RGTropheis() = default;

    void Create();
    void Start();
    void Update();
    void Render();
    void AddNewTrophy(uint32_t index);
    // Input thread.
    void OnOk();
    void OnTrophiesClick();
    void UpdateTrophyName();
    // The first visible trophy under the pointer, or kNone.
    uint32_t FindHoveredTrophy();
    bool IsDone();

    const std::vector<boost::shared_ptr<TarnEngine::UI::SUIButton>>& GetTrophies() const { return m_Trophies; }
    const boost::shared_ptr<TarnEngine::UI::SUIButton>& GetSetMark(int set) const { return set == 1 ? m_SetMark1 : m_SetMark2; }
    const std::vector<std::string>& GetNames() const { return m_Names; }
    const boost::shared_ptr<TarnEngine::UI::SUILabel>& GetNameLabel() const { return m_NameLabel; }
    const boost::shared_ptr<TarnEngine::SSpriteTransition>& GetRevealFade() const { return m_RevealFade; }
    const boost::shared_ptr<TarnEngine::SSpriteTransition>& GetWowFade() const { return m_WowFade; }
    const boost::shared_ptr<TarnEngine::SSpriteTransition>& GetSetMarkFade() const { return m_SetMarkFade; }
    const boost::shared_ptr<TarnEngine::SSprite>& GetLargePicture() const { return m_LargePicture; }
    bool IsLargeViewShown() const { return m_LargeViewShown; }
    bool IsAnnouncing() const { return m_Announcing; }

    // Written by the score-mode handler when a count completed a set.
    bool m_Set1Announced;
    bool m_Set2Announced;

private:
    // Ends a set announcement: the mark keeps full strength from now on.
    void ReleaseSetMark();

    boost::shared_ptr<TarnEngine::UI::SUIForm> m_Form;
    boost::shared_ptr<TarnEngine::SInputMessager> m_Input;
    bool m_Done;
    RGLockGuard m_Lock;
    std::vector<boost::shared_ptr<TarnEngine::UI::SUIButton>> m_Trophies;
    boost::shared_ptr<TarnEngine::UI::SUIButton> m_SetMark1, m_SetMark2;
    std::vector<std::string> m_Names;
    std::vector<uint32_t> m_NewTrophies;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_RevealFade;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_SetMarkFade;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_PictureFade;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_BackdropFade;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_WowFade;
    boost::shared_ptr<TarnEngine::UI::SUILabel> m_NameLabel;
    boost::shared_ptr<TarnEngine::SSprite> m_LargePicture;
    boost::shared_ptr<TarnEngine::SSprite> m_Wow;
    boost::shared_ptr<TarnEngine::SSprite> m_Backdrop;
    bool m_LargeViewShown;
    uint32_t m_ShownTrophy;
    bool m_Announcing;
    uint32_t m_AnnounceTime;
};

} // namespace Runegarden
