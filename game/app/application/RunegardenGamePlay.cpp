// The play mode and the level flow: the play update (scrolling, pause, start prompt, spells, the
// level's end, lives and game over), the play-field drawing, the level builders, the level packs,
// the loading mode and the results a finished level hands on. Members of RunegardenGame kept
// beside the play screen.

#include "game/app/application/RunegardenGame.h"
#include "game/app/screens/RGComics.h"
#include "game/app/screens/RGComicsPack.h"
#include "game/app/screens/RGMap.h"
#include "game/app/screens/RGMenu.h"
#include "game/app/screens/RGScoreCount.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/input/SInput.h"
#include "engine/core/input/SKeyboard.h"
#include "engine/core/input/SMouse.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/audio/RGSoundManager.h"
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/levels/RGLevelPack.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "game/gameplay/scripting/RGPythonHandle.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/levels/RGLevelPacks.h"
#include "game/gameplay/services/RGToolType.h"

#include <cstdio>
#include <vector>

static const char* const kTarnSource = "..\\Src\\RunegardenGame";

namespace Runegarden {

namespace {

const BYTE kKeyLeft = 0xCB, kKeyRight = 0xCD, kKeyUp = 0xC8, kKeyDown = 0xD0, kKeySpace = 0x39, kKeyEscape = 0x01;
// The developer chord: left Ctrl with R and G ends the level as done.
const BYTE kKeyControl = 0x1D, kKeyR = 0x13, kKeyG = 0x22;
const int32_t kLivesWithoutProfile = 5;
const float kCanvasSize = 256.0f;
const char* const kGameMenuForm = "GameMenuForm";
const char* const kCharacters[RGLevelResults::kCharacters] = {"Balychahl", "Chumbachukchul", "SnuPulnel"};

boost::shared_ptr<RGUserProfile> Profile()
{
    return gProfileManager ? gProfileManager->GetCurrent() : nullptr;
}

int32_t ProfileLives()
{
    const boost::shared_ptr<RGUserProfile> profile = Profile();
    return profile ? profile->Lifes : kLivesWithoutProfile;
}

uint32_t ProfileScore()
{
    const boost::shared_ptr<RGUserProfile> profile = Profile();
    return profile ? profile->Score : 0;
}

bool Property(RGPythonObject& actor, const char* name)
{
    return actor.GetPropertyValue(RGPythonHandle::FromName(name)).GetResultAsBoolean();
}

void Draw(const boost::shared_ptr<TarnEngine::SSprite>& sprite)
{
    if (sprite && sprite->m_Enabled) sprite->Draw();
}

std::string TwoDigits(unsigned value)
{
    const std::string text = std::to_string(value);
    return text.size() == 1 ? "0" + text : text;
}

} // namespace

bool RunegardenGame::IsBonusMapShown() const
{
    return m_Map && m_Map->m_BonusMap;
}

bool RunegardenGame::IsCurrentLevelMarked() const
{
    if (!m_Map) return true;
    return m_Map->m_BonusMap ? m_Map->m_CurrentLevelBonus : m_Map->m_CurrentLevelMain;
}

void RunegardenGame::LoadLevelPacks()
{
    TARN_TRY
    for (const boost::shared_ptr<RGLevelPack>& pack : {RGLevelPacks::Main(), RGLevelPacks::Bonus()}) {
        // A pack read again keeps its current level (the first when that level is gone).
        const bool hadLevels = pack->GetLevelCount() > 0;
        const std::string current = pack->IsFinished() ? std::string("None") : pack->GetCurrentLevelName();
        SCore::SXMLDeserializator reader(pack == RGLevelPacks::Main() ? std::wstring(L"Levels\\levelpack.xml")
                                                                       : std::wstring(L"Levels\\bonuslevelpack.xml"));
        pack->DoDeserialize(reader);
        if (hadLevels) pack->SetCurrentLevel(current);
    }
    TARN_CATCH("RunegardenGame::LoadLevelPacks()")
}

// The current level of the pack, with the frame walls, the spell buttons and the actor count.
void RunegardenGame::BuildLevel(RGLevelPack& pack)
{
    const boost::shared_ptr<RGUserProfile> profile = Profile();
    if (profile && profile->Lifes <= 0) pack.Reset();
    m_Level = pack.GetLevel();
    m_Frame->m_LevelLabel->SetText(m_Level->m_ShowName);
    CreateFrameObject();
    m_Frame->m_Spells.clear();
    for (const boost::shared_ptr<RGTool>& tool : m_Level->GetTools()) m_Frame->AddTool(ToolTypeToString(tool->m_ToolType));
    std::vector<boost::shared_ptr<RGPythonObject>> actors;
    m_Level->GetActors(actors);
    m_Frame->m_ActorCount = static_cast<int32_t>(actors.size());
}

void RunegardenGame::CreateLevelNextLevel()
{
    TARN_TRY
    BuildLevel(*RGLevelPacks::Main());
    TARN_CATCH("RunegardenGame::CreateLevelNextLevel()")
}

void RunegardenGame::CreateLevel1()
{
    TARN_TRY
    BuildLevel(*RGLevelPacks::Bonus());
    TARN_CATCH("RunegardenGame::CreateLevel1()")
}

void RunegardenGame::UpdateLoading(bool changed)
{
    TARN_TRY
    if (changed) {
        if (IsBonusMapShown())
            CreateLevel1();
        else
            CreateLevelNextLevel();
        m_LevelLoaded = true;
        m_LoadingStart = timeGetTime();
    }
    const uint32_t elapsed = static_cast<uint32_t>(timeGetTime() - m_LoadingStart);
    if (m_LevelLoaded && elapsed > 1500) {
        const boost::shared_ptr<RGUserProfile> profile = Profile();
        if (IsCurrentLevelMarked() && profile) {
            if (IsBonusMapShown())
                profile->BonusLevel = m_Level->m_Name;
            else
                profile->Level = m_Level->m_Name;
            profile->LevelShowName = m_Level->m_ShowName;
        }
        m_GameMode->ChangeMode(RGGM_PLAY);
        if (IsBonusMapShown())
            m_Mp3Player->Play("sounds\\bonus.mp3");
        else
            m_Mp3Player->Play(m_Level->m_Name.find('e') != std::string::npos ? "sounds\\playtime.mp3"
                                                                              : "sounds\\playtimew.mp3");
    }
    m_Loading->SetProgress(elapsed >= 1500 ? 1.0f : static_cast<float>(elapsed) / 1500.0f);
    TARN_CATCH("RunegardenGame::UpdateLoading()")
}

void RunegardenGame::UpdateNextLevel()
{
    TARN_TRY
    if (m_GameMode->GetPendingMode() != RGGM_NEXTLEVEL) return;
    CreateLevelNextLevel();
    m_GameMode->ChangeMode(RGGM_PLAY);
    TARN_CATCH("RunegardenGame::UpdateNextLevel()")
}

void RunegardenGame::UpdateGameOver()
{
    TARN_TRY
    if (m_GameMode->GetPendingMode() != RGGM_GAMEOVER || !m_LeftButtonHeld) return;
    m_GameMode->ChangeMode(RGGM_MAP);
    if (const boost::shared_ptr<RGUserProfile> profile = Profile()) profile->Lifes = 1;
    TARN_CATCH("RunegardenGame::UpdateGameOver()")
}

void RunegardenGame::ScrollView()
{
    SCore::SInput& input = *GetViewport()->m_Input;
    SCore::SKeyboard& keyboard = *input.GetKeyboard();
    SCore::SRenderDevice& device = *GetViewport()->m_RenderDevice;
    const float fx = static_cast<float>(input.GetMouse()->GetX()) / static_cast<float>(device.DoGetWidth());
    const float fy = static_cast<float>(input.GetMouse()->GetY()) / static_cast<float>(device.DoGetHeight());
    const struct {
        bool move;
        void (RGLevel::*step)();
        RGMapMoveType direction;
    } moves[] = {
        {keyboard.IsKeyPressed(kKeyLeft) || fx < 0.212f, &RGLevel::MoveLeft, RGMMT_LEFT},
        {keyboard.IsKeyPressed(kKeyRight) || (fx > 0.92f && fx <= 1.0f), &RGLevel::MoveRight, RGMMT_RIGHT},
        {keyboard.IsKeyPressed(kKeyUp) || fy < 0.08f, &RGLevel::MoveUp, RGMMT_UP},
        {keyboard.IsKeyPressed(kKeyDown) || (fy > 0.87f && fy <= 1.0f), &RGLevel::MoveDown, RGMMT_DOWN},
    };
    for (const auto& move : moves) {
        if (!move.move) continue;
        ((*m_Level).*move.step)();
        if (const boost::shared_ptr<RGLevelTrainer>& trainer = m_Level->GetTrainer())
            for (RGLevelTrainerCommandWaitMapMove* waiting : trainer->GetMapMoveListeners())
                waiting->m_Fired = waiting->m_MoveType == move.direction;
    }
}

void RunegardenGame::EvaluateStroke()
{
    if (gSoundManager) gSoundManager->Stop("Magic");
    RGStrokeRect rect = {0, 0, 1, 1};
    const RGStrokeGrid rows = m_Painter->GetStrokeGrid(rect);
    m_Painter->Clear();
    const SCore::SViewportRect& field = m_Frame->m_PlayViewport;
    SCore::SRenderDevice& device = *GetViewport()->m_RenderDevice;
    const float windowWidth = static_cast<float>(device.DoGetWidth());
    const float windowHeight = static_cast<float>(device.DoGetHeight());
    const float cx = rect.x / kCanvasSize + 0.5f * rect.width / kCanvasSize;
    const float cy = rect.y / kCanvasSize + 0.5f * rect.height / kCanvasSize;
    const float spellX = cx - (0.5f * field.X / windowWidth + 0.04f);
    const float third = (rect.width / kCanvasSize) * (field.Width / windowWidth) * (field.Height / windowHeight);
    const float fourth = rect.height / kCanvasSize;
    const int type = m_Recognizer.Recognize(rows);
    const boost::shared_ptr<RGLevelTrainer>& trainer = m_Level->GetTrainer();
    if (type != -1 && m_Level->ProcessTool(static_cast<RGToolType>(type), spellX, cy, third, fourth)) {
        if ((type == RGTT_WINDRIGHT || type == RGTT_WINDLEFT) && gSoundManager) gSoundManager->PlaySound("Wind");
        if (gProfileManager) gProfileManager->SetScore(ProfileScore() + 100);
        if (trainer) trainer->OnSpell(static_cast<RGToolType>(type));
    } else if (rect.width > 2 || rect.height > 2) {
        if (trainer) trainer->OnSpellError();
        if (gSoundManager) gSoundManager->PlaySound("RecErr");
    }
}

void RunegardenGame::CollectActorResults()
{
    TARN_TRY
    const uint32_t playTime = static_cast<uint32_t>(m_Level->m_PlayTime);
    // A character no actor matches counts as having used the whole play time.
    uint32_t lifeTime[RGLevelResults::kCharacters] = {playTime, playTime, playTime};
    RGLevelResults results;
    std::vector<boost::shared_ptr<RGPythonObject>> actors;
    m_Level->GetActors(actors);
    for (const boost::shared_ptr<RGPythonObject>& actor : actors) {
        const std::string name = actor->GetPropertyValue(RGPythonHandle::FromName("name")).GetResultAsString();
        for (int k = 0; k < RGLevelResults::kCharacters; ++k) {
            if (name.find(kCharacters[k]) == std::string::npos) continue;
            const double life = actor->GetPropertyValue(RGPythonHandle::FromName("life_time")).GetResultAsDouble();
            lifeTime[k] = life > 0.0 ? static_cast<uint32_t>(life) : 0;
            results.Alive[k] = Property(*actor, "islife");
            break;
        }
    }
    results.Trophy = true;
    for (int k = 0; k < RGLevelResults::kCharacters; ++k) {
        results.SpareTime[k] = lifeTime[k] > playTime ? 0.0f : static_cast<float>(playTime - lifeTime[k]);
        results.Trophy = results.Trophy && playTime > lifeTime[k];
    }
    results.LevelTime = playTime;
    results.Lives = m_Frame->m_Lives;
    results.LevelIndex = RGLevelPacks::Main()->GetLevelIndex(m_Level->m_Name);
    if (results.LevelIndex >= RGLevelPacks::Main()->GetLevelCount()) results.LevelIndex = 0;
    results.BonusMap = IsBonusMapShown();
    m_LevelResults = results;
    RGScoreCount& count = *m_ScoreCount;
    for (int k = 0; k < RGLevelResults::kCharacters; ++k) {
        count.m_SpareTime[k] = results.SpareTime[k];
        count.m_Alive[k] = results.Alive[k];
    }
    count.m_LevelTime = results.LevelTime;
    count.m_Lives = static_cast<uint32_t>(results.Lives > 0 ? results.Lives : 0);
    count.m_LevelIndex = results.LevelIndex;
    count.m_BonusMap = results.BonusMap;
    count.Start();
    count.m_Trophy = results.Trophy;
    TARN_CATCH("RunegardenGame::CollectActorResults()")
}

void RunegardenGame::EndLevelDone(bool byChord)
{
    // A menu opened in the level's last frame would stay live, unseen, under the screens after it.
    CloseGameMenu();
    CollectActorResults();
    m_Comics = m_ComicsPack->GetComics(m_Level->m_Name);
    if (byChord && m_Comics) {
        m_GameMode->ChangeMode(RGGM_COMICS);
        m_Mp3Player->FadeOut();
        m_Mp3Player->Play("sounds\\intro.mp3");
        return;
    }
    if (byChord) {
        std::vector<boost::shared_ptr<RGPythonObject>> actors;
        m_Level->GetActors(actors);
        for (const boost::shared_ptr<RGPythonObject>& actor : actors)
            actor->SetPropertyValueBoolean(RGPythonHandle::FromName("is_enable"), false);
        m_GameMode->ChangeMode(RGGM_SCORE);
        return;
    }
    if (IsBonusMapShown())
        if (const boost::shared_ptr<RGUserProfile> profile = Profile())
            profile->AddDoneBonusLevel(RGLevelPacks::Bonus()->GetLevelIndex(m_Level->m_Name));
    m_Mp3Player->FadeOut();
    if (m_Comics) {
        m_GameMode->ChangeMode(RGGM_COMICS);
        m_Mp3Player->Play("sounds\\bonus.mp3");
    } else {
        m_GameMode->ChangeMode(RGGM_SCORE);
    }
}

void RunegardenGame::PauseForMenu(bool changed)
{
    if (changed) {
        if (!m_Paused) m_StartPrompt = true;
        m_Paused = true;
        m_GameMenu->SetHidden(false);
        m_GameMenu->SetEnabled(true);
    }
    // A menu request is served only when it can be, and dropped otherwise.
    if (m_GameMenuRequest.Get() && m_GameMode->m_CurrentMode == RGGM_PLAY &&
        m_GameMode->GetPendingMode() == RGGM_PLAY && !m_Paused) {
        m_GameMenu->ShowForm(kGameMenuForm);
        if (gSoundManager) gSoundManager->Stop("Magic");
        m_Paused = true;
    }
    m_GameMenuRequest.Set(false);
}

void RunegardenGame::ReadPlayKeys(bool gameMenuShown)
{
    SCore::SKeyboard& keyboard = *GetViewport()->m_Input->GetKeyboard();
    bool ended = false;
    if (keyboard.IsKeyPressed(kKeyControl) && keyboard.IsKeyPressed(kKeyR) && keyboard.IsKeyPressed(kKeyG)) {
        EndLevelDone(true);
        ended = true;
    }
    if (keyboard.IsKeyPressed(kKeySpace)) {
        if (!m_FocusPaused && !m_SpaceLatch && !gameMenuShown) {
            if (m_StartPrompt)
                ClearStartPrompt();
            else
                m_Paused = !m_Paused;
            m_SpaceLatch = true;
        }
    } else if (!m_FocusPaused) {
        m_SpaceLatch = false;
    }
    if (keyboard.IsKeyPressed(kKeyEscape) && !m_StartPrompt && !gameMenuShown) m_GameMenuRequest.Set(true);
    if (ended) return;
    if (m_Level->IsFailed()) {
        StartLevelLoading();
    } else if (m_Level->IsDone()) {
        EndLevelDone(false);
    }
}

void RunegardenGame::PressPlayField(bool gameMenuShown)
{
    if (m_StartPrompt) {
        const bool menuRequested = m_GameMenuRequest.Get();
        if (!menuRequested) m_Paused = false;
        m_StartPrompt = false;
    } else if (gameMenuShown) {
        // The click belongs to the in-game menu.
    } else if (m_Paused) {
        if (!m_PauseButton || m_PauseButton->GetState() == TarnEngine::UI::SUICS_NORMAL) m_Paused = false;
    } else {
        if (gSoundManager && !gSoundManager->IsPlaying("Magic")) gSoundManager->PlaySound("Magic");
        SCore::SMouse& mouse = *GetViewport()->m_Input->GetMouse();
        const float x = static_cast<float>(mouse.GetX());
        const float y = static_cast<float>(mouse.GetY());
        if (x < static_cast<float>(m_ScreenWidth) && y < static_cast<float>(m_ScreenHeight))
            m_Painter->Render(x / static_cast<float>(m_ScreenWidth) - 0.02f,
                              y / static_cast<float>(m_ScreenHeight) - 0.02f);
    }
}

void RunegardenGame::CountLives()
{
    std::vector<boost::shared_ptr<RGPythonObject>> actors;
    m_Level->GetActors(actors);
    int32_t living = 0;
    for (const boost::shared_ptr<RGPythonObject>& actor : actors)
        if (Property(*actor, "islife")) ++living;
    if (living != m_Frame->m_ActorCount) {
        m_Frame->m_Lives += living - m_Frame->m_ActorCount;
        m_Frame->m_ActorCount = living;
    }
    if (const boost::shared_ptr<RGUserProfile> profile = Profile()) profile->Lifes = m_Frame->m_Lives;
    if (m_Frame->m_Lives > 0) return;
    m_Frame->m_Lives = 0;
    if (m_GameMode->GetPendingMode() != RGGM_GAMEOVER) {
        CloseGameMenu();
        m_GameMode->ChangeMode(RGGM_GAMEOVER);
        RGLevelPacks::Main()->Reset();
        m_Menu->Start();
    }
}

void RunegardenGame::UpdatePlay(bool changed)
{
    TARN_TRY
    CriticalSectionLock play(m_PlayLock.Section());
    if (changed) {
        // Keys pressed before the level opened (a space in a new player's name, a tap on the menu)
        // are not meant for it, and one held across its start counts once pressed again.
        GetViewport()->m_Input->GetKeyboard()->ForgetPresses(
            {kKeyLeft, kKeyRight, kKeyUp, kKeyDown, kKeySpace, kKeyEscape, kKeyControl, kKeyR, kKeyG});
    }
    PauseForMenu(changed);
    m_Frame->m_Lives = ProfileLives();
    // Only the in-game menu's own buttons leave it: no click or Space resumes the level under it.
    const bool gameMenuShown = m_GameMenu->GetCurrentFormName() == kGameMenuForm;
    if (m_GameMode->GetPendingMode() == RGGM_PLAY) {
        m_Menu->Start();
        ScrollView();
        ReadPlayKeys(gameMenuShown);
    }
    // The keys may have ended the level.
    if (m_GameMode->GetPendingMode() == RGGM_PLAY) {
        if (m_LeftButtonHeld)
            PressPlayField(gameMenuShown);
        else
            EvaluateStroke();
    }
    m_Level->Update(m_Paused);
    CountLives();
    TARN_CATCH("RunegardenGame::UpdatePlay()")
}

void RunegardenGame::SetView(bool playField)
{
    SCore::SRenderDevice& device = *GetViewport()->m_RenderDevice;
    SCore::SViewportRect view = m_Frame->m_PlayViewport;
    if (!playField) {
        // The whole start-up window; the depth range stays the play field's.
        view.X = 0;
        view.Y = 0;
        view.Width = static_cast<uint32_t>(m_ScreenWidth);
        view.Height = static_cast<uint32_t>(m_ScreenHeight);
    }
    device.GetViewportRect() = view;
    device.DoSetView();
}

void RunegardenGame::RenderPlay()
{
    TARN_TRY
    SetView(true);
    m_Level->Render();
    const RGBody& view = m_Level->GetViewBody();
    const float vx = view.m_Position.X, vy = view.m_Position.Y;
    if (vx > 1.0f - m_Level->m_SizeX) Draw(m_ArrowRight);
    if (vx < 0.0f) Draw(m_ArrowLeft);
    if (vy > 1.0f - m_Level->m_SizeY) Draw(m_ArrowDown);
    if (vy < 0.0f) Draw(m_ArrowUp);
    if (!m_StartPrompt && m_Paused) Draw(m_PauseSprite);
    SetView(false);
    if (m_StartPrompt) Draw(m_PressSpaceSprite);

    const unsigned remaining = m_Level->m_RemainingPlayTime > 0.0f ? static_cast<unsigned>(m_Level->m_RemainingPlayTime) : 0;
    m_Frame->m_TimeLabel->SetText(TwoDigits(remaining / 60) + ":" + TwoDigits(remaining % 60));
    char score[16];
    std::snprintf(score, sizeof score, "%09u", ProfileScore());
    m_Frame->m_ScoreLabel->SetText(std::string(score));
    m_Frame->m_Lives = ProfileLives();
    m_Frame->Render();
    m_Frame->m_IsSun = m_Level->m_Sun;

    for (const boost::shared_ptr<TarnEngine::UI::SUIButton>& button : {m_MenuButton, m_PauseButton})
        if (button && !button->IsHidden()) button->DoRender(0.0f, 0.0f);
    if (!m_GameMenu->IsHidden()) m_GameMenu->DoRender(0.0f, 0.0f);
    if (!m_Paused && !m_StartPrompt && m_Level->GetTrainer()) m_Level->GetTrainer()->Render();
    RGStrokeRect rect = {0, 0, 1, 1};
    const RGStrokeGrid& grid = m_Painter->GetStrokeGrid(rect);
    if (m_Particles) m_Particles->Render(grid, rect.x, rect.y);
    TARN_CATCH("RunegardenGame::RenderPlay()")
}

void RunegardenGame::RenderGameOver()
{
    TARN_TRY
    SetView(true);
    m_Level->Render();
    Draw(m_GameOverSprite);
    SetView(false);
    m_Frame->Render();
    TARN_CATCH("RunegardenGame::RenderGameOver()")
}

} // namespace Runegarden
