#include "game/app/play/RGFrame.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/STextureAnimatorFrame.h"
#include "engine/core/render/SViewport.h"
#include "game/app/kit/RGSpriteRecipes.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/win32.h"

static const char* const kTarnSource = "..\\Src\\RGFrame";

namespace Runegarden {

namespace {

typedef boost::shared_ptr<TarnEngine::SSprite> SpritePtr;

SpritePtr FrameSprite(const std::string& texture, bool withTransform, bool alphaBlend, bool trilinear,
                      const SCore::SRect& position)
{
    return RGSpriteRecipes::Sprite("", texture, withTransform, alphaBlend, trilinear, position);
}

void Animate(const SpritePtr& sprite, const std::string& name, uint32_t across, uint32_t down,
             const SCore::SRect& indent, float speed, float phase, bool inverse)
{
    boost::shared_ptr<SCore::STextureAnimatorFrame> animator(new SCore::STextureAnimatorFrame(name, across, down));
    animator->SetIndent(indent);
    animator->m_AnimationSpeed = speed;
    animator->m_Phase = phase;
    animator->m_Inverse = inverse;
    sprite->m_Material.SetAnimator1(animator);
}

void Draw(const boost::shared_ptr<TarnEngine::SMesh>& mesh)
{
    if (mesh && mesh->m_Enabled) mesh->Draw();
}

} // namespace

RGFrame::RGFrame() : m_StartTime(timeGetTime()), m_Lives(0), m_ActorCount(0), m_IsSun(true)
{
    Create();
}

RGFrame::~RGFrame()
{
    m_SunEyeRight.reset();
    m_SunEyeLeft.reset();
    m_Sun.reset();
    m_LifeIcon.reset();
    m_ScoreLabel.reset();
    m_LivesLabel.reset();
    m_LevelLabel.reset();
    m_TimeLabel.reset();
    m_Spells.clear();
    m_Sprites.clear();
}

void RGFrame::Create()
{
    AddSprite(FrameSprite("BOTTOMBAR", false, false, false, {0.11f, 0.953125f, 0.89f, 0.046875f}));
    SpritePtr leftBar = FrameSprite("LEFTBAR", false, true, false, {0.0f, 0.0f, 0.132f, 1.0f});
    leftBar->m_TexCoords = {0.0f, 0.0f, 1.0f, 0.75f};
    AddSprite(leftBar);
    SpritePtr upper = FrameSprite("BOLVANLU", true, true, true, {0.02099609375f, 299.5f / 768.0f, 0.064453125f, 0.12109375f});
    Animate(upper, "BolvanLUAnimator", 4, 4, {0.0f, 0.01f, 1.0f, 0.740234375f}, 7.0f, 0.0f, false);
    AddSprite(upper);
    SpritePtr lower = FrameSprite("BOLVANLD", true, true, true, {0.024288f, 0.862f, 0.067f, 0.138f});
    Animate(lower, "BolvanLDAnimator", 4, 4, {0.0f, 0.0f, 1.0f, 0.859375f}, 8.0f, 0.0f, false);
    AddSprite(lower);
    SpritePtr plate = RGSpriteCreator::CreateTexturedSprite("SCORESMALL", false);
    plate->m_Position = {0.68f, 0.965f, 0.0625f, 1.0f / 24.0f};
    plate->m_Cached = false;
    AddSprite(plate);

    m_Sun = FrameSprite("SUN", false, true, false, {0.125f, 0.0f, 0.29296875f, 86.0f / 768.0f});
    m_Sun->m_TexCoords = {0.0f, 0.0f, 0.5859375f, 0.671875f};
    const SCore::SRect eyeCells = {0.0f, 0.0f, 0.546875f, 0.59375f};
    m_SunEyeLeft = FrameSprite("SUNEYEL", true, true, true, {0.138f, 0.0f, 0.068f, 0.025f});
    Animate(m_SunEyeLeft, "SunAnimator", 2, 8, eyeCells, 12.0f, 0.0f, false);
    m_SunEyeRight = FrameSprite("SUNEYEL", true, true, true, {0.233f, 0.0f, 0.069f, 0.029f});
    m_SunEyeRight->m_FlipHorizontal = true;
    Animate(m_SunEyeRight, "SunAnimator", 2, 8, eyeCells, 12.0f, 0.75f, true);

    SCore::SRenderDevice& device = *RGSpriteCreator::GetViewport()->m_RenderDevice;
    const uint32_t width = device.DoGetWidth();
    const uint32_t height = device.DoGetHeight();
    m_PlayViewport.X = static_cast<uint32_t>(width * 0.125);
    m_PlayViewport.Y = 0;
    m_PlayViewport.Width = static_cast<uint32_t>(width * 0.875);
    m_PlayViewport.Height = static_cast<uint32_t>(height * 0.953125);
    m_PlayViewport.MinZ = 0.0f;
    m_PlayViewport.MaxZ = 1.0f;
}

void RGFrame::AddSprite(const boost::shared_ptr<TarnEngine::SSprite>& sprite)
{
    m_Sprites.push_back(RGFrameEntry{0, sprite});
}

void RGFrame::AddTool(const std::string& toolName)
{
    TARN_TRY
    const float n = static_cast<float>(m_Spells.size());
    SpritePtr button = FrameSprite("SPELL" + toolName.substr(5), true, true, false,
                                   {0.188f + 0.075f * n, 0.915f, 0.072f, 0.086f});
    m_Spells.push_back(RGFrameEntry{0, button});
    TARN_CATCH("RGFrame::AddTool()")
}

void RGFrame::Render()
{
    const uint32_t elapsed = static_cast<uint32_t>(timeGetTime() - m_StartTime) / 1000;
    for (const std::list<RGFrameEntry>* entries : {&m_Sprites, &m_Spells})
        for (const RGFrameEntry& entry : *entries)
            if (elapsed > entry.delay) Draw(entry.sprite);
    Draw(m_TimeLabel);
    Draw(m_LevelLabel);
    Draw(m_ScoreLabel);
    if (m_LifeIcon) {
        if (m_Lives > 7) {
            m_LifeIcon->m_Position.X = 0.005f;
            m_LifeIcon->m_Position.Y = 0.21f;
            m_LifeIcon->m_Cached = false;
            Draw(m_LifeIcon);
            if (m_LivesLabel) {
                m_LivesLabel->SetText("x" + std::to_string(m_Lives));
                Draw(m_LivesLabel);
            }
        } else {
            for (int32_t i = 0; i < m_Lives; ++i) {
                m_LifeIcon->m_Position.X = 0.005f + static_cast<float>(i) * m_LifeIcon->m_Position.Width;
                m_LifeIcon->m_Position.Y = 0.21f;
                m_LifeIcon->m_Cached = false;
                Draw(m_LifeIcon);
            }
        }
    }
    if (m_IsSun) {
        Draw(m_Sun);
        Draw(m_SunEyeLeft);
        Draw(m_SunEyeRight);
    }
}

} // namespace Runegarden
