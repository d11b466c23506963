#pragma once
// The main menu: one UI application with the forms "MainForm", "CreditsForm", "AreYouSure",
// "Settings", "UserProfile", "NewUser" and "HighScore". Click handlers run on the input thread
// and only record the player's choice (the result, the flags); the game's menu update reads them
// on the main thread and changes modes.

#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/SSpriteTransition.h"
#include "engine/framework/drawables/STextureFont.h"
#include "engine/framework/input/SInputMessager.h"
#include "engine/framework/ui/SUIApplication.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/ui/SUICheckBox.h"
#include "engine/framework/ui/SUILabel.h"
#include "engine/framework/ui/SUIListBox.h"
#include "engine/framework/ui/SUITextBox.h"
#include "engine/framework/ui/SUITrackBar.h"
#include "game/app/screens/RGMenuResult.h"
#include "game/audio/RGLockGuard.h"
#include "game/audio/RGMp3Player.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <string>
#include <vector>

namespace Runegarden {

class RGMenu {
public:
    RGMenu(const boost::shared_ptr<SCore::SViewport>& viewport, boost::shared_ptr<TarnEngine::SInputMessager> input,
           boost::shared_ptr<RGMp3Player> music);
    // Saves the profiles; a failed save is logged.
    virtual ~RGMenu();

    void Create();
    // The menu starts afresh at its next showing: forms closed, result 0.
    void Start();
    void UpdateBonusLevelButton();
    void Render();
    int32_t GetResult();
    // The player's choice leads off the menu: every form is closed at once, so no control takes
    // input from now on, yet the forms stay drawn while the screen darkens into the next mode.
    void Leave();

    // The current profile's level and bonus level; empty without a profile.
    static std::string GetCurrentLevelName();
    static std::string GetCurrentBonusLevelName();

    // MainForm.
    void OnPlayGame();
    void OnSettings();
    void OnHighScore();
    void OnExit();
    void OnChangeUser();
    void OnBonusLevel();
    void OnLogo();
    void OnFocus();
    void OnBonusLevelFocus();
    // Credits, confirmation and settings.
    void OnCredits();
    void OnCloseCredits();
    void OnAreYouSureYes();
    void OnClose();
    void OnSettingsOk();
    void OnMusicVolumeChanged();
    void OnSoundVolumeChanged();
    void OnFullScreenChanged();
    // Profiles.
    void OnUserProfileOk();
    void OnAskConfirmation();
    void ShowNewUserForm();
    void OnNewUserOk();
    void OnNewUserCancel();
    // HighScore's per-frame drawing.
    void UpdateHighScoreList();

    // The full-screen check box's state, as the object initialisation sets it.
    void SetFullScreenChecked(bool checked);

    const boost::shared_ptr<TarnEngine::UI::SUIApplication>& GetUI() const { return m_UI; }
    const boost::shared_ptr<TarnEngine::UI::SUIListBox>& GetProfileList() const { return m_ProfileList; }
    const boost::shared_ptr<TarnEngine::UI::SUILabel>& GetWelcomeLabel() const { return m_WelcomeLabel; }
    const boost::shared_ptr<TarnEngine::UI::SUIButton>& GetBonusLevelButton() const { return m_BonusLevelButton; }
    const boost::shared_ptr<TarnEngine::UI::SUIButton>& GetLogoButton() const { return m_LogoButton; }
    const boost::shared_ptr<TarnEngine::UI::SUITrackBar>& GetMusicTrackBar() const { return m_MusicTrackBar; }
    const boost::shared_ptr<TarnEngine::UI::SUITrackBar>& GetSoundTrackBar() const { return m_SoundTrackBar; }
    const boost::shared_ptr<TarnEngine::UI::SUICheckBox>& GetFullScreenCheckBox() const { return m_FullScreenCheckBox; }
    const boost::shared_ptr<TarnEngine::SSpriteTransition>& GetHintFade() const { return m_HintFade; }
    const boost::shared_ptr<TarnEngine::SSpriteTransition>& GetMessageFade() const { return m_MessageFade; }
    // Rows of the high-score table drawn by the last UpdateHighScoreList.
    size_t GetDrawnHighScoreRows() const { return m_DrawnRows; }

    std::wstring m_NewUserName;
    boost::shared_ptr<TarnEngine::STextureFont> m_HeaderFont;
    std::atomic<bool> m_ProfileChanged;
    std::atomic<bool> m_FullScreenChanged;

private:
    void CreateUserProfileForm();
    void CreateMainForm();
    void CreateNewUserForm();
    void CreateAreYouSureForm();
    void CreateCreditsForm();
    void CreateSettingsForm();
    void CreateHighScoreForm();
    void CreateLogo(TarnEngine::UI::SUIForm& form);
    // Welcome text from the current profile; sets the profile-changed flag when it changes.
    void UpdateWelcome();
    void PlayClickWhileNoResult();
    void DeleteSelectedProfile();
    static void PlaySound(const std::string& name);
    static void SaveProfiles();

    boost::shared_ptr<SCore::SViewport> m_Viewport;
    boost::shared_ptr<TarnEngine::SSprite> m_Ball;
    boost::shared_ptr<TarnEngine::SSprite> m_Hint;
    boost::shared_ptr<TarnEngine::SSprite> m_Message;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_HintFade;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_MessageFade;
    boost::shared_ptr<TarnEngine::SInputMessager> m_Input;
    boost::shared_ptr<TarnEngine::UI::SUIApplication> m_UI;
    std::atomic<int32_t> m_Result;
    boost::shared_ptr<TarnEngine::UI::SUIListBox> m_ProfileList;
    boost::shared_ptr<TarnEngine::UI::SUILabel> m_WelcomeLabel;
    boost::shared_ptr<TarnEngine::UI::SUIButton> m_BonusLevelButton;
    bool m_JustStarted;
    boost::shared_ptr<RGMp3Player> m_Music;
    boost::shared_ptr<TarnEngine::UI::SUITrackBar> m_MusicTrackBar;
    boost::shared_ptr<TarnEngine::UI::SUITrackBar> m_SoundTrackBar;
    boost::shared_ptr<TarnEngine::UI::SUILabel> m_HighScoreRow;
    boost::shared_ptr<TarnEngine::UI::SUICheckBox> m_FullScreenCheckBox;
    bool m_RememberedFullScreen;
    RGLockGuard m_Lock;
    boost::shared_ptr<TarnEngine::UI::SUIButton> m_LogoButton;
    size_t m_DrawnRows;
    // Forms closed by Leave, bottom first; drawn until the menu starts again.
    std::vector<boost::shared_ptr<TarnEngine::UI::SUIForm>> m_LeftForms;
};

} // namespace Runegarden
