// The game's screen modes: the update handlers of the menu, comics, score count, intro, final
// cut, splash, click-to-menu, map and trophies modes, their drawing, the in-game menu and the
// object initialisation of the screens. Members of RunegardenGame kept beside the screens.

#include "game/app/application/RunegardenGame.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/framework/app/SWindow.h"
#include "engine/framework/ui/SUIForm.h"
#include "game/app/kit/RGEventBinding.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/app/screens/RGComics.h"
#include "game/app/screens/RGComicsPack.h"
#include "game/app/screens/RGFinalCut.h"
#include "game/app/screens/RGIntro.h"
#include "game/app/screens/RGMap.h"
#include "game/app/screens/RGMenu.h"
#include "game/app/screens/RGScoreCount.h"
#include "game/app/kit/RGScreenKit.h"
#include "game/app/screens/RGSplash.h"
#include "game/app/screens/RGTropheis.h"
#include "game/audio/RGSoundManager.h"
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/levels/RGLevelPack.h"
#include "game/gameplay/levels/RGLevelPacks.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/win32.h"

#include <algorithm>

static const char* const kTarnSource = "..\\Src\\RunegardenGame";

namespace Runegarden {

namespace {

boost::shared_ptr<RGUserProfile> CurrentProfile()
{
    return gProfileManager ? gProfileManager->GetCurrent() : nullptr;
}

void SetProfileLevel(const std::string& name, const std::string& showName)
{
    const boost::shared_ptr<RGUserProfile> profile = CurrentProfile();
    if (!profile) return;
    profile->Level = name;
    profile->LevelShowName = showName;
}

void SetProfileLevelFromPack()
{
    const RGLevelPack& pack = *RGLevelPacks::Main();
    SetProfileLevel(pack.GetCurrentLevelName(), pack.GetCurrentLevelShowName());
}

void SaveProfiles()
{
    if (gProfileManager) gProfileManager->Save();
}

} // namespace

bool RunegardenGame::UpdateScreenMode(RGGameModeType mode, bool changed)
{
    switch (mode) {
    case RGGM_MENU: UpdateMenu(); return true;
    case RGGM_COMICS: UpdateComics(); return true;
    case RGGM_SCORE: UpdateScore(changed); return true;
    case RGGM_INTRO: UpdateIntro(); return true;
    case RGGM_FINALCUT: UpdateFinalCut(); return true;
    case RGGM_SPLASH: UpdateSplash(changed); return true;
    case RGGM_CLICKTOMENU:
        if (m_LeftButtonHeld) UpdateClickToMenu();
        return true;
    case RGGM_MAP: UpdateMap(changed); return true;
    case RGGM_TROPHIES: UpdateTrophies(changed); return true;
    default: return false;
    }
}

bool RunegardenGame::RenderScreenMode(RGGameModeType mode)
{
    switch (mode) {
    case RGGM_MENU: m_Menu->Render(); return true;
    case RGGM_COMICS:
        if (m_Comics) m_Comics->Render();
        return true;
    case RGGM_SCORE: m_ScoreCount->Render(); return true;
    case RGGM_INTRO: m_Intro->Render(); return true;
    case RGGM_FINALCUT: m_FinalCut->Render(); return true;
    case RGGM_SPLASH: m_Splash->Render(); return true;
    case RGGM_MAP: m_Map->Render(); return true;
    case RGGM_TROPHIES: m_Trophies->Render(); return true;
    default: return false;
    }
}

void RunegardenGame::UpdateMenu()
{
    TARN_TRY
    const int32_t result = m_Menu->GetResult();
    if (result != RGMR_NONE) {
        // Hidden menu controls must take no clicks on the screens that follow.
        m_Menu->Leave();
    }
    if (result == RGMR_PLAY || result == RGMR_BONUS) {
        const bool bonus = result == RGMR_BONUS;
        const bool sameWorld = bonus == m_Map->m_BonusMap;
        if (sameWorld && m_GameMode->m_PreviousMode == RGGM_PLAY && !m_Menu->m_ProfileChanged) {
            m_Paused = true;
            m_GameMode->ChangeMode(RGGM_PLAY);
            m_GameMenu->CloseAllForms();
            m_Mp3Player->FadeOut();
            const std::string level = RGLevelPacks::Main()->GetCurrentLevelName();
            m_Mp3Player->Play(bonus ? "sounds\\bonus.mp3"
                                    : level.find('e') != std::string::npos ? "sounds\\playtime.mp3" : "sounds\\playtimew.mp3");
        } else if (sameWorld && m_GameMode->m_PreviousMode == RGGM_SCORE && !m_Menu->m_ProfileChanged) {
            m_ScoreCount->m_Done = false;
            m_GameMode->ChangeMode(RGGM_SCORE);
        } else {
            m_GameMode->ChangeMode(RGGM_MAP);
        }
        m_Map->m_BonusMap = bonus;
        m_Menu->m_ProfileChanged = false;
    } else if (result == RGMR_NEW_GAME) {
        // The intro leads to the main map, whichever world the last player left.
        m_Map->m_BonusMap = false;
        m_GameMode->ChangeMode(RGGM_INTRO);
        m_Mp3Player->FadeOut();
        m_Mp3Player->Play("sounds\\intro.mp3");
        m_Intro->Start();
    } else if (result == RGMR_EXIT) {
        // A count left by quitting books its level as the count would have.
        if (m_GameMode->m_PreviousMode == RGGM_SCORE && !m_Map->m_BonusMap && m_Map->m_CurrentLevelMain) {
            RGLevelPacks::Main()->MoveToNextLevel();
            if (RGLevelPacks::Main()->IsFinished()) {
                SetProfileLevel(RGLevelPack::kDone, RGLevelPack::kDone);
                m_FinalCut->Rewind();
                m_Menu->Start();
            } else {
                CreateLevelNextLevel();
                SetProfileLevel(m_Level->m_Name, m_Level->m_ShowName);
            }
        }
        m_GameMode->ChangeMode(RGGM_EXIT);
        m_Mp3Player->FadeOut();
        if (gProfileManager) gProfileManager->IsFullScreen = m_FullScreen;
    }
    if (m_Menu->m_FullScreenChanged) {
        m_FullScreen = m_Menu->GetFullScreenCheckBox()->m_Checked;
        GetViewport()->m_RenderDevice->DoSetView(m_FullScreen);
        m_Menu->m_FullScreenChanged = false;
        if (gProfileManager) gProfileManager->IsFullScreen = m_FullScreen;
        if (!m_FullScreen && GetWindow()) {
            const HWND window = GetWindow()->GetHandle();
            RECT desk, wr;
            GetWindowRect(GetDesktopWindow(), &desk);
            GetWindowRect(window, &wr);
            AdjustWindowRect(&wr, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE);
            const int w = wr.right - wr.left, h = wr.bottom - wr.top;
            // A window larger than the desktop keeps its top-left corner on it.
            const int x = std::max(0, (desk.right - w) / 2), y = std::max(0, (desk.bottom - h) / 2);
            gLoger << SCore::GetCurrentDateTime()
                   << (" SetWindowPos: x=" + std::to_string(x) + " y=" + std::to_string(y) + " w=" + std::to_string(w) +
                       " h=" + std::to_string(h) + "\n");
            SetWindowPos(window, HWND_NOTOPMOST, x, y, w, h, SWP_SHOWWINDOW);
            GetViewport()->m_RenderDevice->DoSetView(m_FullScreen);
        }
    }
    TARN_CATCH("RunegardenGame::UpdateMenu()")
}

void RunegardenGame::UpdateComics()
{
    TARN_TRY
    if (!m_Comics) {
        if (m_GameMode->GetPendingMode() != RGGM_SCORE) m_GameMode->ChangeMode(RGGM_SCORE);
        return;
    }
    m_Comics->Update();
    if (m_Comics->IsFinished() && m_GameMode->GetPendingMode() != RGGM_SCORE) {
        m_GameMode->ChangeMode(RGGM_SCORE);
        m_Mp3Player->FadeOut();
    }
    TARN_CATCH("RunegardenGame::UpdateComics()")
}

void RunegardenGame::UpdateScore(bool changed)
{
    TARN_TRY
    m_NewTrophy = false;
    if (changed) m_ScoreCount->Show();
    if (changed && m_Map->m_BonusMap) m_ScoreCount->CountBonusLives();
    m_ScoreCount->Update();
    if (m_GameMode->GetPendingMode() != RGGM_SCORE) return;
    if (m_LeftButtonHeld) m_ScoreCount->CountBonusLives();
    if (!m_ScoreCount->m_Done) return;

    const boost::shared_ptr<RGUserProfile> profile = CurrentProfile();
    m_Frame->m_Lives = static_cast<int32_t>(m_ScoreCount->m_Lives);
    if (profile) profile->Lifes = m_Frame->m_Lives;
    // A level outside the main pack has no trophy of its own.
    if (m_ScoreCount->m_Trophy && profile && !m_ScoreCount->m_BonusMap && !m_Map->m_BonusMap &&
        m_ScoreCount->m_LevelIndex < RGUserProfile::kTrophyCount) {
        const uint32_t i = m_ScoreCount->m_LevelIndex;
        if (profile->Trophies.size() < RGUserProfile::kTrophyCount) profile->Trophies.resize(RGUserProfile::kTrophyCount, 0);
        if (profile->Trophies[i] != 1) {
            m_Trophies->AddNewTrophy(i);
            m_NewTrophy = true;
        }
        profile->Trophies[i] = 1;
        const bool set1 = profile->TrophySet1Complete, set2 = profile->TrophySet2Complete;
        profile->UpdateTrophySets();
        if (profile->TrophySet1Complete != set1) m_Trophies->m_Set1Announced = true;
        if (profile->TrophySet2Complete != set2) m_Trophies->m_Set2Announced = true;
    }

    m_Mp3Player->Stop();
    // Only a win of the current main level moves the game on; bonus levels and replays do not.
    RGGameModeType next = RGGM_SCORE;
    if (!m_Map->m_BonusMap && m_Map->m_CurrentLevelMain) {
        RGLevelPacks::Main()->MoveToNextLevel();
        if (!RGLevelPacks::Main()->IsFinished()) SetProfileLevelFromPack();
        if (!RGLevelPacks::Main()->IsFinished() || m_NewTrophy) next = m_NewTrophy ? RGGM_TROPHIES : RGGM_MAP;
    } else if (m_NewTrophy || !m_Map->m_FinalLevel) {
        next = m_NewTrophy ? RGGM_TROPHIES : RGGM_MAP;
    }
    if (m_Map->m_FinalLevel && !m_NewTrophy) {
        SetProfileLevel(RGLevelPack::kDone, RGLevelPack::kDone);
        m_GameMode->ChangeMode(RGGM_FINALCUT);
        m_FinalCut->Rewind();
        m_Menu->Start();
        m_Mp3Player->Play("sounds\\final.mp3");
    } else if (next == RGGM_TROPHIES) {
        // The trophies screen goes on to the final cut when this was the last level.
        m_GameMode->ChangeMode(RGGM_TROPHIES);
        m_Mp3Player->Play("sounds\\trophies.mp3");
    } else {
        m_GameMode->ChangeMode(RGGM_MAP);
        m_Mp3Player->Play("sounds\\menu.mp3");
    }
    SaveProfiles();
    TARN_CATCH("RunegardenGame::UpdateScore()")
}

void RunegardenGame::UpdateIntro()
{
    TARN_TRY
    if (m_Intro->IsFinished() && m_GameMode->GetPendingMode() == RGGM_INTRO) {
        m_Intro->GetSkipButton()->SetEnabled(false);
        m_Intro->GetForm()->SetEnabled(false);
        RGLevelPacks::Main()->Reset();
        CreateLevelNextLevel();
        SetProfileLevel(m_Level->m_Name, m_Level->m_ShowName);
        m_Mp3Player->FadeOut();
        m_GameMode->ChangeMode(RGGM_MAP);
        m_Mp3Player->Play("sounds\\menu.mp3");
    }
    m_Intro->Update();
    TARN_CATCH("RunegardenGame::UpdateIntro()")
}

void RunegardenGame::UpdateFinalCut()
{
    TARN_TRY
    if (m_LeftButtonHeld && RGScreenKit::Since(m_FinalCut->m_StartTime) > 66000) m_FinalCut->m_Finished = true;
    if (m_FinalCut->m_Finished && m_GameMode->GetPendingMode() == RGGM_FINALCUT) {
        m_GameMode->ChangeMode(RGGM_MENU);
        m_Mp3Player->FadeOut();
        m_Mp3Player->Play("sounds\\menu.mp3");
    }
    TARN_CATCH("RunegardenGame::UpdateFinalCut()")
}

void RunegardenGame::UpdateSplash(bool changed)
{
    TARN_TRY
    if (changed) m_Splash->m_StartTime = timeGetTime();
    if (m_Splash->m_Finished && m_GameMode->GetPendingMode() == RGGM_SPLASH) m_GameMode->ChangeMode(RGGM_MENU);
    TARN_CATCH("RunegardenGame::UpdateSplash()")
}

void RunegardenGame::UpdateClickToMenu()
{
    TARN_TRY
    m_GameMode->ChangeMode(RGGM_MENU);
    m_Menu->Start();
    TARN_CATCH("RunegardenGame::UpdateClickToMenu()")
}

void RunegardenGame::UpdateMap(bool changed)
{
    TARN_TRY
    if (changed) {
        m_GameMenu->CloseAllForms();
        m_Map->Start();
    }
    if (!m_Map->m_Leave.load(std::memory_order_acquire) || m_GameMode->GetPendingMode() != RGGM_MAP) return;
    switch (m_Map->m_NextMode) {
    case RGGM_PLAY: {
        // A pack that already stands on the chosen name keeps its place: a name it holds twice
        // would otherwise take the player back to the first of them.
        RGLevelPack& pack = m_Map->m_BonusMap ? *RGLevelPacks::Bonus() : *RGLevelPacks::Main();
        if (pack.GetCurrentLevelName() != m_Map->m_SelectedLevelName) pack.SetCurrentLevel(m_Map->m_SelectedLevelName);
        m_LevelLoaded = false;
        // A pause left from the in-game menu would open the level without its start prompt.
        m_Paused = false;
        m_GameMode->ChangeMode(RGGM_LOADING);
        m_Loading->SetProgress(0.0f);
        m_Mp3Player->FadeOut();
        break;
    }
    case RGGM_MENU:
        m_GameMode->ChangeMode(RGGM_MENU);
        m_Menu->Start();
        break;
    case RGGM_TROPHIES:
        m_GameMode->ChangeMode(RGGM_TROPHIES);
        m_Mp3Player->FadeOut();
        break;
    default:
        break;
    }
    TARN_CATCH("RunegardenGame::UpdateMap()")
}

void RunegardenGame::UpdateTrophies(bool changed)
{
    TARN_TRY
    if (changed) {
        m_Trophies->Start();
        m_Mp3Player->Play("sounds\\trophies.mp3");
    }
    m_Trophies->Update();
    if (!m_Trophies->IsDone() || m_GameMode->GetPendingMode() != RGGM_TROPHIES) return;
    if (m_Map->m_FinalLevel && !m_Map->m_BonusMap && m_GameMode->m_PreviousMode == RGGM_SCORE) {
        SetProfileLevel(RGLevelPack::kDone, RGLevelPack::kDone);
        SaveProfiles();
        m_GameMode->ChangeMode(RGGM_FINALCUT);
        m_FinalCut->Rewind();
        m_Menu->Start();
        m_Mp3Player->Play("sounds\\final.mp3");
    } else {
        m_GameMode->ChangeMode(RGGM_MAP);
        m_Mp3Player->FadeOut();
        m_Mp3Player->Play("sounds\\menu.mp3");
    }
    TARN_CATCH("RunegardenGame::UpdateTrophies()")
}

void RunegardenGame::CreateGameMenu()
{
    TARN_TRY
    m_GameMenu.reset(new TarnEngine::UI::SUIApplication);
    m_GameMenu->SetViewport(GetViewport());
    boost::shared_ptr<TarnEngine::UI::SUIForm> form(new TarnEngine::UI::SUIForm("GameMenuForm"));
    form->SetViewport(GetViewport());
    form->m_W = 0.999f;
    form->m_H = 0.999f;
    struct ButtonPlace {
        const char* texture;
        float x, y;
        void (RunegardenGame::*click)();
    };
    const ButtonPlace buttons[] = {
        {"GAMEMENUBACKTOMAP", 0.21728515625f, 0.5279948115348816f, &RunegardenGame::OnGameMenuBackToMap},
        {"GAMEMENUBACKTOMENU", 0.50048828125f, 0.3391927182674408f, &RunegardenGame::OnGameMenuBackToMenu},
        {"GAMEMENUREPLAY", 0.50244140625f, 0.5279948115348816f, &RunegardenGame::StartLevelLoading},
        {"GAMEMENURESUME", 0.21728515625f, 0.3391927182674408f, &RunegardenGame::OnGameMenuResume},
    };
    for (const ButtonPlace& place : buttons) {
        RGScreenKit::ButtonPtr button = RGScreenKit::StripButton(place.texture, 0.999f, 0.0f, 0.373046875f, 0.373046875f,
                                                                 0.74609375f, place.x, place.y, 0.25f, 0.1236979141831398f);
        BindClickEvent(*button, place.click, this);
        BindFocusEvent(*button, &RunegardenGame::OnGameMenuFocus, this);
        form->AddControl(button);
    }
    form->m_Background = RGScreenKit::Sprite("GAMEMENU", true, 0.0f, 0.0f, 1.0f, 0.7412109375f);
    m_GameMenu->AddForm(form);
    GetInputMessager()->AddReceiver(m_GameMenu);
    TARN_CATCH("RunegardenGame::CreateGameMenu()")
}

void RunegardenGame::OnGameMenuFocus()
{
    if (gSoundManager) gSoundManager->PlaySound("Focus");
}

void RunegardenGame::OnGameMenuResume()
{
    m_GameMenu->CloseAllForms();
    if (gSoundManager) gSoundManager->Stop("Magic");
    m_Paused = false;
}

void RunegardenGame::OnGameMenuBackToMenu()
{
    m_Mp3Player->FadeOut();
    m_GameMode->ChangeMode(RGGM_MENU);
    m_Menu->Start();
    m_Mp3Player->Play("sounds\\menu.mp3");
    m_GameMenu->SetHidden(true);
    m_GameMenu->SetEnabled(false);
}

void RunegardenGame::OnGameMenuBackToMap()
{
    m_Mp3Player->FadeOut();
    m_GameMode->ChangeMode(RGGM_MAP);
    m_Mp3Player->Play("sounds\\menu.mp3");
}

void RunegardenGame::CreateComicsPack()
{
    TARN_TRY
    m_ComicsPack.reset(new RGComicsPack(GetInputMessager()));
    SCore::SXMLDeserializator comics(L"Levels\\comics.xml");
    m_ComicsPack->DoDeserialize(comics);
    TARN_CATCH("RunegardenGame::CreateComicsPack()")
}

void RunegardenGame::CreateMenuAndScoreCount()
{
    TARN_TRY
    boost::shared_ptr<TarnEngine::STextureFont> header =
        RGScreenKit::Font("PLAYER", 1.0f, 0.026f, 0.138f, 0.015f, 0.032f, 255, 240, 181, 56);
    m_Menu.reset(new RGMenu(GetViewport(), GetInputMessager(), m_Mp3Player));
    m_Menu->m_HeaderFont = header;
    // The remembered state goes with the check box, so the first click switches the window.
    m_Menu->SetFullScreenChecked(m_FullScreen);
    // Saves before the first exit keep the mode the game runs in, not the manager's default.
    if (gProfileManager) gProfileManager->IsFullScreen = m_FullScreen;

    m_ScoreCount.reset(new RGScoreCount(GetInputMessager()));
    m_ScoreCount->Start();
    m_ScoreCount->m_Background = RGSpriteCreator::CreateTexturedSprite("SCOREBKG", false);
    m_ScoreCount->m_Background->m_Position = SCore::SRect{0.0f, 0.0f, 1.0f, 1.0f};
    TARN_CATCH("RunegardenGame::CreateMenuAndScoreCount()")
}

void RunegardenGame::CreateScreens()
{
    TARN_TRY
    m_Intro.reset(new RGIntro(GetInputMessager()));
    m_FinalCut.reset(new RGFinalCut);
    m_Map.reset(new RGMap(GetInputMessager()));
    m_Map->Start();
    m_Trophies.reset(new RGTropheis(GetInputMessager()));
    m_Splash.reset(new RGSplash);
    m_Splash->LoadTextures();
    TARN_CATCH("RunegardenGame::CreateScreens()")
}

} // namespace Runegarden
