#include "game/app/application/RunegardenGame.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/STextureManager.h"
#include "engine/framework/app/WindowProc.h"
#include "game/app/kit/RGGlobalObjects.h"
#include "game/app/kit/RGSoundTable.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/gameplay/levels/RGLevelPack.h"
#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/levels/RGLevelPacks.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/d3dx9.h"

static const char* const kTarnSource = "..\\Src\\RunegardenGame";

namespace Runegarden {

namespace {

void Log(const std::string& text)
{
    gLoger << SCore::GetCurrentDateTime() << (text + "\n");
}

} // namespace

RunegardenGame::RunegardenGame(bool fullScreen)
try : m_LeftButtonHeld(false), m_ScreenWidth(0), m_ScreenHeight(0), m_Paused(false), m_StartPrompt(false),
      m_SpaceLatch(false), m_GameMenuRequest(false), m_FullScreen(fullScreen), m_LevelLoaded(false),
      m_FocusPaused(false), m_NewTrophy(false), m_LoadingStart(0), m_Initialised(false)
{
    CreateGlobalObjects();
} catch (const SCore::TarnCoreException& e) {
    SCore::ThrowWithContext(e, "RunegardenGame::RunegardenGame()", kTarnSource, __LINE__);
}

RunegardenGame::~RunegardenGame()
{
    // No input-thread handler may reach the members while they go.
    if (GetInputMessager()) {
        GetInputMessager()->Stop();
        GetInputMessager()->Join();
    }
    TarnEngine::ClearApplication(this);
}

LRESULT RunegardenGame::DoWindowMessage(UINT message, WPARAM, LPARAM)
{
    if (message == WM_USER) {
        LoadLevelPacks();
        StartLevelLoading();
    }
    return 0;
}

void RunegardenGame::CloseGameMenu()
{
    if (!m_GameMenu) return;
    m_GameMenu->CloseAllForms();
    m_GameMenu->SetHidden(true);
    m_GameMenu->SetEnabled(false);
}

void RunegardenGame::StartLevelLoading()
{
    TARN_TRY
    CloseGameMenu();
    m_LevelLoaded = false;
    m_Loading->SetProgress(0.0f);
    m_GameMode->ChangeMode(RGGM_LOADING);
    m_Paused = false;
    TARN_CATCH("RunegardenGame::StartLevelLoading()")
}

void RunegardenGame::ClearStartPrompt()
{
    const bool menuRequested = m_GameMenuRequest.Get();
    m_StartPrompt = false;
    if (!menuRequested) m_Paused = false;
}

void RunegardenGame::OnMenuButton()
{
    m_GameMenuRequest.Set(true);
}

void RunegardenGame::OnPauseButton()
{
    if (m_FocusPaused || m_StartPrompt) return;
    bool paused = m_Paused.load();
    while (!m_Paused.compare_exchange_weak(paused, !paused)) {
    }
}

void RunegardenGame::DoDeactivate()
{
    if (!m_Initialised) return;
    const FaderState fade = m_GameMode->GetFader()->m_State;
    if ((fade == FS_CLEAR || fade == FS_FADINGOUT) && m_GameMode->m_CurrentMode == RGGM_PLAY && !m_StartPrompt) {
        m_Paused = true;
        m_FocusPaused = true;
    }
    if (m_Mp3Player) {
        m_Mp3Player->SetSavedVolume(m_Mp3Player->GetVolume());
        m_Mp3Player->FadeOut();
        m_Mp3Player->SetSilencedByFocus(true);
    }
}

void RunegardenGame::DoActivate()
{
    if (!m_Initialised) return;
    m_FocusPaused = false;
    if (m_Mp3Player && m_Mp3Player->IsSilencedByFocus()) {
        m_Mp3Player->SetVolume(m_Mp3Player->GetSavedVolume());
        m_Mp3Player->SetSilencedByFocus(false);
        m_Mp3Player->SetPlayRequest(true);
    }
}

void RunegardenGame::DoUpdate()
{
    TARN_TRY
    m_GameMode->Update();
    const FaderState fade = m_GameMode->GetFader()->m_State;
    if (fade == FS_CLEAR || fade == FS_FADINGOUT) {
        const bool changed = m_GameMode->m_Changed;
        m_GameMode->m_Changed = false;
        switch (m_GameMode->m_CurrentMode) {
        case RGGM_PLAY:
            UpdatePlay(changed);
            break;
        case RGGM_NEXTLEVEL:
            UpdateNextLevel();
            break;
        case RGGM_GAMEOVER:
            UpdateGameOver();
            break;
        case RGGM_LOADING:
            UpdateLoading(changed);
            break;
        case RGGM_EXIT:
            DoExit();
            break;
        case RGGM_TROPHIES:
            Log(" update TROPHEIS");
            UpdateTrophies(changed);
            break;
        default:
            UpdateScreenMode(m_GameMode->m_CurrentMode, changed);
            break;
        }
    }
    UpdateCursor();
    TARN_CATCH("RunegardenGame::DoUpdate()")
}

void RunegardenGame::DoDraw()
{
    TARN_TRY
    switch (m_GameMode->m_CurrentMode) {
    case RGGM_PLAY:
        RenderPlay();
        break;
    case RGGM_GAMEOVER:
        RenderGameOver();
        break;
    case RGGM_LOADING:
        m_Loading->Render();
        break;
    case RGGM_TROPHIES:
        Log(" render TROPHEIS");
        RenderScreenMode(RGGM_TROPHIES);
        break;
    default:
        RenderScreenMode(m_GameMode->m_CurrentMode);
        break;
    }
    m_GameMode->GetFader()->Render();
    if (m_Cursor) m_Cursor->Draw();
    TARN_CATCH("RunegardenGame::DoDraw()")
}

bool RunegardenGame::DoIsExit()
{
    return m_GameMode && m_GameMode->m_CurrentMode == RGGM_EXIT;
}

void RunegardenGame::UpdateCursor()
{
    if (!m_Cursor || !GetWindow()) return;
    POINT cursor = {0, 0};
    WINDOWINFO info;
    if (!GetCursorPos(&cursor) || !GetWindowInfo(GetWindow()->GetHandle(), &info)) return;
    const float width = float(info.rcClient.right - info.rcClient.left);
    const float height = float(info.rcClient.bottom - info.rcClient.top);
    if (width <= 0.0f || height <= 0.0f) return;
    float x = float(cursor.x - info.rcClient.left) / width;
    float y = float(cursor.y - info.rcClient.top) / height;
    if (gProfileManager && !gProfileManager->IsFullScreen) {
        x += 0.01f;
        y += 0.01f;
    }
    m_Cursor->m_Position.X = x;
    m_Cursor->m_Position.Y = y;
    m_Cursor->m_Cached = false;
}

void RunegardenGame::DoCreateLoading()
{
    TARN_TRY
    RGSpriteCreator::SetViewport(GetViewport());
    m_Loading.reset(new RGLoading);
    m_Loading->Create(GetViewport());
    TARN_CATCH("RunegardenGame::DoCreateLoading()")
}

void RunegardenGame::DoDrawLoading()
{
    TARN_TRY
    m_Loading->Render();
    TARN_CATCH("RunegardenGame::DoDrawLoading()")
}

void RunegardenGame::DoLoadProgress(unsigned int loaded, unsigned int total)
{
    TARN_TRY
    // The engine calls this under the render lock.
    m_Loading->SetProgress(static_cast<float>(static_cast<double>(loaded) * 0.7 / static_cast<double>(total)));
    TARN_CATCH("RunegardenGame::DoLoadProgress()")
}

void RunegardenGame::SetLoadProgress(float value)
{
    CriticalSectionLock lock(RenderLock());
    m_Loading->SetProgress(value);
}

void RunegardenGame::CreateSounds()
{
    TARN_TRY
    RGSoundTable::Create(GetWindow() ? GetWindow()->GetHandle() : nullptr,
                         [this](float value) { SetLoadProgress(value); });
    TARN_CATCH("RunegardenGame::CreateSounds()")
}

void RunegardenGame::PresetTextures()
{
    CriticalSectionLock lock(RenderLock());
    GetViewport()->m_TextureManager->ForEachTexture([](const boost::shared_ptr<SCore::STexture>& texture) {
        if (texture->m_TransformEnabled)
            texture->SetTextureTransformation(texture->m_TextureMatrix, 0);
        else
            texture->ResetTextureTransformation(0);
        texture->DoSet(0);
    });
}

void RunegardenGame::CreateRenderPass()
{
    m_RenderPass = GetViewport()->CreateRenderPass();
    m_RenderPass->m_World = SCore::IdentityMatrix();
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovRH(&projection, 3.14f / 3.0f, 4.0f / 3.0f, 1.0f, 1000.0f);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) m_RenderPass->m_Projection.m[r][c] = projection.m[r][c];
    m_RenderPass->DoApply();
}

void RunegardenGame::DoInitObjects()
{
    TARN_TRY
    Log(" Presetting texture");
    PresetTextures();
    Log(" Done");

    Log(" Loading game objects");
    RGPYFactory::LoadGameObjects(L"gameobjects\\earthworldNEW.xml");
    Log(" Done");

    {
        CriticalSectionLock lock(RenderLock());
        CreateRenderPass();
        m_ScreenWidth = static_cast<int32_t>(GetViewport()->m_RenderDevice->DoGetWidth());
        m_ScreenHeight = static_cast<int32_t>(GetViewport()->m_RenderDevice->DoGetHeight());
        m_Painter.reset(new Painter(GetViewport()));
    }

    Log(" Loading sounds");
    CreateSounds();

    CriticalSectionLock lock(RenderLock());
    m_Loading->SetProgress(0.9f);
    Log(" Done");

    Log(" Loading level pack");
    LoadLevelPacks();
    m_Loading->SetProgress(1.0f);
    Log(" Done");

    Log(" Loading level comics");
    CreateComicsPack();
    Log(" Done");

    CreateFrame();
    CreateParticles();
    Log(" Init Sprites");
    InitSprites();
    CreateGameMenu();
    Log(" Done");

    m_Mp3Player.reset(new RGMp3Player);
    CreateMenuAndScoreCount();

    Log(" Creating first level");
    const boost::shared_ptr<RGUserProfile> profile = gProfileManager ? gProfileManager->GetCurrent() : nullptr;
    RGLevelPacks::Main()->SetCurrentLevel(profile ? profile->Level : std::string());
    CreateLevelNextLevel();
    RGLevelPacks::Bonus()->SetCurrentLevel(profile ? profile->BonusLevel : std::string());
    Log(" Done");

    boost::shared_ptr<Fader> fader(new Fader(GetViewport()));
    m_GameMode.reset(new RGGameMode(fader, 0.5f));
    CreateFrameButtons();

    CreateScreens();

    m_Mp3Player->Start();
    m_Mp3Player->Play("sounds\\menu.mp3");

    TarnEngine::SetApplication(this);
    m_Initialised = true;
    TARN_CATCH("RunegardenGame::DoInitObjects()")
}

} // namespace Runegarden
