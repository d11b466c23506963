#include "game/app/screens/RGScoreCount.h"

#include "engine/core/render/STextureAnimatorFrame.h"
#include "engine/core/render/STexture.h"
#include "engine/core/serialization/STextureFiltration.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/ui/SUIToolTip.h"
#include "game/app/kit/RGEventBinding.h"
#include "game/app/kit/RGGameModeType.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/app/kit/RGScreenKit.h"
#include "game/audio/RGSoundManager.h"
#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/scripting/RGScriptLock.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/win32.h"

#include <algorithm>
#include <cmath>

using TarnEngine::SSprite;

namespace Runegarden {

namespace {

const char* const kNames[RGScoreCount::kCharacters] = {"Balychahl", "Chumbachukchul", "SnuPulnel"};
const uint32_t kNoNextLife = 100000000;

boost::shared_ptr<RGUserProfile> Current() { return gProfileManager ? gProfileManager->GetCurrent() : nullptr; }

float SnapX(float x) { return AlignToTexel(1024, x); }
float SnapY(float y) { return AlignToTexel(768, y); }

void ApplyBarLook(SSprite& sprite, const std::string& texture, bool blend)
{
    SCore::SMaterial& material = sprite.m_Material;
    material.m_Texture1 = RGSpriteCreator::GetViewport()->m_TextureManager->GetTexture(texture);
    material.m_AlphaBlend = blend ? 1 : 0;
    material.m_SrcBlend = 5;
    material.m_DstBlend = 6;
    material.m_ZWrite = 0;
    sprite.m_CoordAligment = TarnEngine::SCA_LEFT_TOP;
    sprite.m_Cached = false;
}

} // namespace

RGScoreCount::RGScoreCount(const boost::shared_ptr<TarnEngine::SInputMessager>& input)
    : m_LevelTime(0), m_LevelIndex(0), m_BonusMap(false), m_Trophy(false), m_Done(false), m_NextMode(RGGM_MAP),
      m_Lives(0), m_LastTime(0), m_Counted(false), m_Input(input), m_ShowYouDont(false), m_BaseScore(0),
      m_ShownTotal(0)
{
    for (int k = 0; k < kCharacters; ++k) {
        m_SpareTime[k] = 0.0f;
        m_Alive[k] = false;
        m_Fill[k] = 0.0f;
    }
    Create();
}

void RGScoreCount::CreateProgressBars(boost::shared_ptr<TarnEngine::SProgressBar>& bar)
{
    bar.reset(new TarnEngine::SProgressBar);
    bar->Create(RGSpriteCreator::GetViewport(), false);
    for (SSprite* sprite : {&bar->m_Bar, &bar->m_Background}) {
        ApplyBarLook(*sprite, sprite == &bar->m_Bar ? "PROGBAR1" : "PROGBAR2", false);
        boost::shared_ptr<SCore::STextureFiltration> filtration(new SCore::STextureFiltration);
        filtration->m_IsTrilinear = true;
        sprite->m_Material.m_Filtration1 = filtration;
        sprite->m_Position = SCore::SRect{0.267f, 0.0f, 0.633f, 0.05f};
    }
    bar->SetValue(0.0f);
    bar->DoUpdate();
}

boost::shared_ptr<SSprite> RGScoreCount::CreateTextureSprite(const std::string& texture)
{
    boost::shared_ptr<SSprite> sprite(new SSprite("TextureName", true));
    sprite->Create(RGSpriteCreator::GetViewport());
    ApplyBarLook(*sprite, texture, true);
    sprite->m_Material.m_Filtration1.reset(new SCore::STextureFiltration);
    return sprite;
}

void RGScoreCount::Create()
{
    const float barY[kCharacters] = {0.196f, 0.447f, 0.695f};
    for (int k = 0; k < kCharacters; ++k) {
        CreateProgressBars(m_Bars[k]);
        m_Bars[k]->m_Bar.m_Position.Y = m_Bars[k]->m_Background.m_Position.Y = barY[k];
    }
    m_LastTime = timeGetTime();
    {
        RGScriptLock lock;
        const SCore::SVector3 positions[kCharacters] = {{0.09f, 0.076f, 0.0f}, {0.1f, 0.293f, 0.0f}, {0.1f, 0.541f, 0.0f}};
        for (int k = 0; k < kCharacters; ++k) {
            m_Characters[k] = RGPYFactory::Create(kNames[k]);
            m_Characters[k]->SetMass(0.0f);
            m_Characters[k]->SetVelocity(SCore::SVector3{1.0f, 0.0f, 0.0f});
            m_Characters[k]->SetPosition(positions[k]);
        }
        m_World.reset(new RGPythonDictionary(RGPYFactory::GetModule()));
        m_World->Create();
        for (const boost::shared_ptr<RGPYGameObject>& character : m_Characters) character->Update(0.0f, *m_World);
    }
    m_ScoreLabel = RGScreenKit::Font("99999999", 1.12f, 0.09814453125f, 0.8444010615f, 0.0302734375f, 0.029947916f, 255,
                                     255, 255, 255);
    m_LivesLabel = RGScreenKit::Font("0", 1.12f, 0.0f, 0.150390625f, 0.0302734375f, 0.029947916f, 255, 255, 255, 255);
    m_HeadingLabel = RGScreenKit::Font("SCORE", 1.12f, 0.09814453125f, 0.818359375f, 0.0205078125f, 0.016927084f, 255,
                                       255, 255, 255);

    m_Form.reset(new TarnEngine::UI::SUIForm("OKToNextLevel"));
    m_Form->SetViewport(RGSpriteCreator::GetViewport());
    m_Form->m_W = 1.0f;
    m_Form->m_H = 1.0f;
    boost::shared_ptr<SSprite> normal = CreateTextureSprite("SCORENEXTPAS");
    boost::shared_ptr<SSprite> over = CreateTextureSprite("SCORENEXTACT");
    normal->m_TexCoords = over->m_TexCoords = SCore::SRect{0.0f, 0.0f, 0.999f, 0.6171875f};
    RGScreenKit::ButtonPtr ok = RGScreenKit::Button(normal, over, SnapX(0.754f), SnapY(0.815f), 0.125f, 0.1015625f);
    BindClickEvent(*ok, &RGScoreCount::OnNextLevel, this);
    m_Form->AddControl(ok);
    if (m_Input) m_Input->AddReceiver(m_Form);

    m_Angel = CreateTextureSprite("ANGEL");
    boost::shared_ptr<SCore::STextureAnimatorFrame> wings(new SCore::STextureAnimatorFrame("AngelAnimator", 4, 1));
    wings->m_AnimationSpeed = 16.0f;
    wings->SetIndent(SCore::SRect{0.0f, 0.0f, 1.0f, 0.75f});
    m_Angel->m_Material.SetAnimator1(wings);
    RGSpriteCreator::GetViewport()->m_TextureManager->GetTexture("BAT1")->m_TransformEnabled = true;

    CreateProgressBars(m_LifeBar);
    m_LifeBar->m_Vertical = true;
    for (SSprite* sprite : {&m_LifeBar->m_Bar, &m_LifeBar->m_Background}) {
        ApplyBarLook(*sprite, sprite == &m_LifeBar->m_Bar ? "SCORESTAFFACT" : "SCORESTAFFPAS", true);
        sprite->m_TexCoords = SCore::SRect{0.0f, 0.0f, 0.640625f, 0.841796875f};
        sprite->m_Position = SCore::SRect{SnapX(0.121f), SnapY(0.156f), 0.080078125f, 0.5611979f};
    }
    m_LifeBar->SetValue(0.5f);
    m_LifeBar->DoUpdate();

    m_Staff = CreateTextureSprite("SCORELIFESTAFF");
    m_Staff->m_Position = SCore::SRect{SnapX(0.135f), SnapY(0.0505f), 0.03125f, 0.6666667f};
    m_Staff->m_TexCoords = SCore::SRect{0.0f, 0.0f, 1.0f, 1.0f};
    m_YouDont = CreateTextureSprite("SCOREYOUDONT");
    m_YouDont->m_Position = SCore::SRect{0.245f, 0.072f, 0.677734375f, 0.6575521f};
    m_YouDont->m_TexCoords = SCore::SRect{0.0f, 0.0f, 1.0f, 1.0f};
    m_Trainer.reset(new RGLevelTrainer);
    m_Line = CreateTextureSprite("SCORELINE");
    m_Line->m_Position = SCore::SRect{SnapX(0.33f), SnapY(0.768f), 0.5f, 0.0013020834f};
    m_Line->m_TexCoords = SCore::SRect{0.0f, 0.0f, 0.8359375f, 0.25f};

    m_TimeHeading = RGScreenKit::Font("Time", 1.12f, SnapX(0.267f), SnapY(0.746f), 0.0234375f, 0.0364583f, 255, 0x26,
                                      0xBE, 0xE5);
    m_ScoreHeading = RGScreenKit::Font("Score", 1.12f, SnapX(0.838f), SnapY(0.746f), 0.0234375f, 0.0364583f, 255, 0xE5,
                                       0xBE, 0x2C);
}

void RGScoreCount::SetThresholds(const std::vector<unsigned int>& thresholds)
{
    // The life loop stops at the first threshold above the total, so they must be in order.
    m_Thresholds.assign(thresholds.begin(), thresholds.end());
    std::sort(m_Thresholds.begin(), m_Thresholds.end());
}

void RGScoreCount::LoadTrainer()
{
    m_Trainer->ClearCommands();
    m_Trainer->Deserialize(L"Levels\\score_trainer.xml");
    m_Trainer->Restart();
}

void RGScoreCount::Start()
{
    for (int k = 0; k < kCharacters; ++k) {
        m_Fill[k] = 0.0f;
        if (m_LevelTime != 0) m_Fill[k] = 1.0f - m_SpareTime[k] / static_cast<float>(m_LevelTime);
    }
    m_LastTime = timeGetTime();
    {
        RGScriptLock lock;
        for (const boost::shared_ptr<RGPYGameObject>& character : m_Characters) character->PlayAnimations();
    }
    m_Counted = false;
    m_Done = false;
    m_ShowYouDont = false;
    const boost::shared_ptr<RGUserProfile> profile = Current();
    m_BaseScore = profile ? profile->Score : 0;
    if (m_LevelIndex == 0 && !m_BonusMap) {
        LoadTrainer();
    } else {
        m_Trainer->ClearCommands();
        m_Trainer->Restart();
    }
    m_Trainer->GetTeacherFade()->m_TransitionState = TarnEngine::STS_HIDDEN;
    m_Trainer->GetArrowFade()->m_TransitionState = TarnEngine::STS_HIDDEN;
    m_Trainer->GetToolTip()->Hide();
    m_Form->SetEnabled(false);
}

void RGScoreCount::Show()
{
    m_LastTime = timeGetTime();
}

uint32_t RGScoreCount::FullTotal() const
{
    const long double spare = static_cast<long double>(m_SpareTime[1]) + m_SpareTime[0] + m_SpareTime[2];
    return m_BaseScore + static_cast<uint32_t>(spare * 1000.0L);
}

void RGScoreCount::UpdateLives(uint32_t total)
{
    const boost::shared_ptr<RGUserProfile> profile = Current();
    uint32_t lives = profile ? static_cast<uint32_t>(profile->Lifes) : 0;
    uint32_t previous = 0, next = kNoNextLife;
    for (uint32_t h : m_Thresholds) {
        if (m_BaseScore < h && h < total) ++lives;
        if (h > total) {
            next = h;
            break;
        }
        previous = h;
    }
    m_Lives = lives;
    const float value = static_cast<float>(total - previous) / static_cast<float>(next - previous);
    m_LifeBar->SetValue(std::min(1.0f, std::max(0.0f, value)));
    m_LifeBar->DoUpdate();
    m_LivesLabel->SetText(std::to_string(lives));
    m_LivesLabel->m_Cached = false;
}

void RGScoreCount::Update()
{
    // A confirmed count keeps OK disabled: its form stays registered for input after the screen is
    // left, and a later click where OK stood (the intro's SKIP) would store this total again, for
    // whichever player is current then.
    if (!m_Done && !m_Form->IsEnabled()) m_Form->SetEnabled(true);
    const uint32_t dt = RGScreenKit::Since(m_LastTime);
    for (int k = 0; k < kCharacters; ++k) {
        if (!m_Alive[k]) continue;
        if (m_Counted) m_Fill[k] = 1.0f;
        else m_Fill[k] = std::min(static_cast<float>(static_cast<double>(m_Fill[k]) + dt * 0.0001), 1.0f);
    }
    m_LastTime = timeGetTime();
    int full = 0;
    {
        RGScriptLock lock;
        for (int k = 0; k < kCharacters; ++k) {
            m_Bars[k]->SetValue(m_Fill[k]);
            m_Bars[k]->DoUpdate();
            SCore::SVector3 position = m_Characters[k]->GetPosition();
            position.X = m_Bars[k]->m_Background.m_Position.Width * m_Fill[k] + 0.267f;
            m_Characters[k]->SetPosition(position);
            m_Characters[k]->Update(0.0f, *m_World);
            m_Characters[k]->UpdateSpritesState(0.0, 0.0);
        }
        for (int k = 0; k < kCharacters; ++k) {
            if (m_Alive[k] && m_Fill[k] == 1.0f) {
                ++full;
                m_Characters[k]->StopAnimations();
            }
        }
    }
    long double points = 0.0L;
    if (m_LevelTime != 0) {
        const long double n = static_cast<long double>(static_cast<float>(m_LevelTime));
        for (int k = 0; k < kCharacters; ++k) points += m_Fill[k] - (1.0L - m_SpareTime[k] / n);
        points *= n * 1000.0L;
    }
    if (full == kCharacters) CountBonusLives();
    // Once counted, what is shown is what OK stores.
    m_ShownTotal = m_Counted ? FullTotal() : m_BaseScore + static_cast<uint32_t>(std::max(0.0L, std::trunc(points)));
    m_ScoreLabel->SetText(std::to_string(m_ShownTotal));
    m_ScoreLabel->m_Cached = false;
    UpdateLives(m_ShownTotal);
    if (full != kCharacters && gSoundManager && !gSoundManager->IsPlaying("Score")) gSoundManager->PlaySound("Score");
    m_Trainer->Update();
}

void RGScoreCount::CountBonusLives()
{
    if (m_Counted) return;
    m_Counted = true;
    const uint32_t total = FullTotal();
    const boost::shared_ptr<RGUserProfile> profile = Current();
    uint32_t lives = profile ? static_cast<uint32_t>(profile->Lifes) : 0;
    for (uint32_t h : m_Thresholds)
        if (m_BaseScore < h && h < total) ++lives;
    m_Lives = lives;
}

void RGScoreCount::OnNextLevel()
{
    CountBonusLives();
    m_NextMode = RGGM_MAP;
    m_Form->SetEnabled(false);
    const boost::shared_ptr<RGUserProfile> profile = Current();
    if (profile) {
        profile->Score = FullTotal();
        gProfileManager->m_HighScore.AddScore(profile->Name, profile->LevelShowName, profile->Score);
    }
    // Last, so that the score handler finds the score written.
    m_Done = true;
}

void RGScoreCount::Render()
{
    RGScreenKit::Draw(m_Background);
    for (const boost::shared_ptr<TarnEngine::SProgressBar>& bar : m_Bars) bar->DoRender();
    m_LifeBar->DoRender();
    RGScreenKit::Draw(m_Staff);
    m_Angel->m_Position.Width = 0.0625f;
    m_Angel->m_Position.Height = 0.125f;
    const float t = static_cast<float>(timeGetTime());
    const float dx[kCharacters] = {0.05f * std::sin(t * 0.0005f), 0.05f * std::cos(t * 0.0005f), 0.05f * std::sin(t * 0.0007f)};
    const float dy[kCharacters] = {0.02f * std::sin(t * 0.0015f), 0.02f * std::cos(t * 0.0015f), 0.02f * std::sin(t * 0.0013f)};
    {
        RGScriptLock lock;
        for (int k = 0; k < kCharacters; ++k) {
            if (m_Alive[k]) {
                m_Characters[k]->Render();
                continue;
            }
            const SCore::SVector3 position = m_Characters[k]->GetPosition();
            m_Angel->m_Position.X = position.X + dx[k];
            m_Angel->m_Position.Y = position.Y + dy[k];
            m_Angel->m_Cached = false;
            RGScreenKit::Draw(m_Angel);
        }
    }
    RGScreenKit::Draw(m_ScoreLabel);
    m_LivesLabel->m_X = m_Lives > 9 ? 0.10888671875f : 0.12158203125f;
    m_LivesLabel->m_Cached = false;
    RGScreenKit::Draw(m_Line);
    RGScreenKit::Draw(m_TimeHeading);
    RGScreenKit::Draw(m_ScoreHeading);
    RGScreenKit::Draw(m_LivesLabel);
    RGScreenKit::Draw(m_HeadingLabel);
    if (!m_Form->IsHidden()) m_Form->DoRender(0.0f, 0.0f);
    if (m_ShowYouDont) RGScreenKit::Draw(m_YouDont);
    m_Trainer->Render();
}

} // namespace Runegarden
