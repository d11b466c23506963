#pragma once
// The game: the one application object. Each frame it advances the mode switcher, runs the current
// mode's update handler and draws the mode's screen, the fade and the cursor. It also carries the
// pause rules (pause button, focus loss, start prompt, in-game-menu request) and the window
// message WM_USER, which reloads both level packs and starts loading a level.
//
// A mode whose screen does not exist yet is entered and does nothing.

#include "engine/core/render/SRenderPass.h"
#include "engine/framework/app/TarnApplication.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/threads/TSafeData.h"
#include "engine/framework/ui/SUIApplication.h"
#include "engine/framework/ui/SUIButton.h"
#include "game/app/kit/RGGameMode.h"
#include "game/app/play/RGFrame.h"
#include "game/app/play/RGLevelResults.h"
#include "game/app/play/RGLoading.h"
#include "game/audio/RGLockGuard.h"
#include "game/audio/RGMp3Player.h"
#include "game/gameplay/gestures/GestureRecognizer.h"
#include "game/gameplay/gestures/Painter.h"
#include "game/gameplay/gestures/RGParticles.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <cstdint>

namespace Runegarden {

class RGComics;
class RGComicsPack;
class RGFinalCut;
class RGIntro;
class RGMap;
class RGMenu;
class RGScoreCount;
class RGSplash;
class RGTropheis;
class RGLevel;
class RGLevelPack;

class RunegardenGame : public TarnEngine::TarnApplication {
public:
    explicit RunegardenGame(bool fullScreen);
    ~RunegardenGame() override;

    void DoLeftButtonDown() override { m_LeftButtonHeld = true; }
    void DoRightButtonDown() override {}
    void DoLeftButtonUp() override { m_LeftButtonHeld = false; }
    void DoRightButtonUp() override {}
    LRESULT DoWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoActivate() override;
    void DoDeactivate() override;
    void DoUpdate() override;
    void DoDraw() override;
    void DoInitObjects() override;
    void DoRestoreObjects() override {}
    void DoInvalidateObjects() override {}
    bool DoIsExit() override;
    void DoDrawLoading() override;
    void DoCreateLoading() override;
    void DoLoadProgress(unsigned int loaded, unsigned int total) override;
    void DoDeviceLost() override { DoDeactivate(); }
    void DoDeviceRestored() override { DoActivate(); }

    // Input thread: the frame's menu and pause buttons.
    void OnMenuButton();
    void OnPauseButton();

    void StartLevelLoading();

    // Input thread: the in-game menu's buttons.
    void OnGameMenuFocus();
    void OnGameMenuResume();
    void OnGameMenuBackToMenu();
    void OnGameMenuBackToMap();
    void ClearStartPrompt();

    // State the tests and the level flow read.
    const boost::shared_ptr<RGGameMode>& GetGameMode() const { return m_GameMode; }
    const boost::shared_ptr<RGLoading>& GetLoading() const { return m_Loading; }
    const boost::shared_ptr<RGMp3Player>& GetMp3Player() const { return m_Mp3Player; }
    bool IsPaused() const { return m_Paused; }
    bool IsFocusPaused() const { return m_FocusPaused; }
    bool IsInitialised() const { return m_Initialised; }
    const boost::shared_ptr<RGMenu>& GetMenu() const { return m_Menu; }
    const boost::shared_ptr<RGMap>& GetMap() const { return m_Map; }
    const boost::shared_ptr<RGScoreCount>& GetScoreCount() const { return m_ScoreCount; }
    const boost::shared_ptr<RGIntro>& GetIntro() const { return m_Intro; }
    const boost::shared_ptr<RGFinalCut>& GetFinalCut() const { return m_FinalCut; }
    const boost::shared_ptr<RGTropheis>& GetTrophies() const { return m_Trophies; }
    const boost::shared_ptr<RGSplash>& GetSplash() const { return m_Splash; }
    const boost::shared_ptr<RGComicsPack>& GetComicsPack() const { return m_ComicsPack; }
    const boost::shared_ptr<TarnEngine::UI::SUIApplication>& GetGameMenu() const { return m_GameMenu; }
    // The comic the comics mode shows (the level end sets it).
    void SetComics(const boost::shared_ptr<RGComics>& comics) { m_Comics = comics; }
    bool IsFullScreen() const { return m_FullScreen; }
    bool IsStartPrompt() const { return m_StartPrompt; }
    const boost::shared_ptr<RGLevel>& GetLevel() const { return m_Level; }
    const boost::shared_ptr<RGFrame>& GetFrame() const { return m_Frame; }
    // The results of the level last ended as done, for the score count.
    const RGLevelResults& GetLevelResults() const { return m_LevelResults; }

    // The play mode and the level flow.
    void UpdatePlay(bool changed);
    void RenderPlay();
    void RenderGameOver();
    void UpdateNextLevel();
    void UpdateGameOver();
    void UpdateLoading(bool changed);
    void CreateLevelNextLevel();
    void CreateLevel1();
    void LoadLevelPacks();

protected:
    void UpdateCursor();
    // The loading bar's value and layout, under the render lock its drawing holds.
    void SetLoadProgress(float value);
    void CreateSounds();
    void PresetTextures();
    void CreateRenderPass();

    // The screens' modes: their update handlers and drawing; false for a mode without a screen.
    bool UpdateScreenMode(RGGameModeType mode, bool changed);
    bool RenderScreenMode(RGGameModeType mode);
    void UpdateMenu();
    void UpdateComics();
    void UpdateScore(bool changed);
    void UpdateIntro();
    void UpdateFinalCut();
    void UpdateSplash(bool changed);
    void UpdateClickToMenu();
    void UpdateMap(bool changed);
    void UpdateTrophies(bool changed);
    // Object initialisation of the screens, the comic table and the in-game menu, in the order
    // the start-up makes them.
    void CreateComicsPack();
    void CreateGameMenu();
    void CreateMenuAndScoreCount();
    void CreateScreens();
    // Object initialisation of the play screen: the frame with its labels, its two buttons, the
    // particle trail, the head-up sprites; the walls every level gets.
    void CreateFrame();
    void CreateFrameButtons();
    void CreateParticles();
    void InitSprites();
    void CreateFrameObject();
    void CollectActorResults();
    // The map's choices; without the map, the main pack's current level is played.
    bool IsBonusMapShown() const;
    bool IsCurrentLevelMarked() const;
    // Ends the level as done (the developer chord's form when byChord).
    void EndLevelDone(bool byChord);
    // Closes, hides and disables the in-game menu: the screens after a level take no click on it.
    void CloseGameMenu();
    void EvaluateStroke();
    void ScrollView();
    // The steps of the play mode's update, in order.
    void PauseForMenu(bool changed);
    void ReadPlayKeys(bool gameMenuShown);
    void PressPlayField(bool gameMenuShown);
    void CountLives();
    void BuildLevel(RGLevelPack& pack);
    // The render viewport: the play field, or the whole start-up window.
    void SetView(bool playField);

    boost::shared_ptr<SCore::SRenderPass> m_RenderPass;
    boost::shared_ptr<Painter> m_Painter;
    bool m_LeftButtonHeld;
    GestureRecognizer m_Recognizer;
    boost::shared_ptr<TarnEngine::SSprite> m_Cursor;
    boost::shared_ptr<RGParticles> m_Particles;
    boost::shared_ptr<RGGameMode> m_GameMode;
    int32_t m_ScreenWidth;
    int32_t m_ScreenHeight;
    boost::shared_ptr<TarnEngine::UI::SUIButton> m_MenuButton;
    boost::shared_ptr<TarnEngine::UI::SUIButton> m_PauseButton;
    boost::shared_ptr<RGMp3Player> m_Mp3Player;
    // Written by the input thread's pause button and read by the main thread.
    std::atomic<bool> m_Paused;
    std::atomic<bool> m_StartPrompt;
    bool m_SpaceLatch;
    TarnEngine::TSafeData<bool> m_GameMenuRequest;
    RGLockGuard m_PlayLock;
    bool m_FullScreen;
    boost::shared_ptr<RGLoading> m_Loading;
    std::atomic<bool> m_LevelLoaded;
    std::atomic<bool> m_FocusPaused;
    boost::shared_ptr<RGMenu> m_Menu;
    boost::shared_ptr<RGComicsPack> m_ComicsPack;
    boost::shared_ptr<RGComics> m_Comics;
    boost::shared_ptr<RGScoreCount> m_ScoreCount;
    boost::shared_ptr<RGIntro> m_Intro;
    boost::shared_ptr<RGFinalCut> m_FinalCut;
    boost::shared_ptr<RGMap> m_Map;
    boost::shared_ptr<RGTropheis> m_Trophies;
    boost::shared_ptr<RGSplash> m_Splash;
    boost::shared_ptr<TarnEngine::UI::SUIApplication> m_GameMenu;
    // A finished count has just won a trophy.
    bool m_NewTrophy;
    boost::shared_ptr<RGLevel> m_Level;
    boost::shared_ptr<RGFrame> m_Frame;
    boost::shared_ptr<TarnEngine::SSprite> m_ArrowLeft, m_ArrowRight, m_ArrowUp, m_ArrowDown;
    boost::shared_ptr<TarnEngine::SSprite> m_PauseSprite, m_PressSpaceSprite, m_GameOverSprite;
    RGLevelResults m_LevelResults;
    uint32_t m_LoadingStart;
    // Set when the object initialisation is complete; focus and device events wait for it.
    std::atomic<bool> m_Initialised;
};

} // namespace Runegarden
