#include "game/app/play/RGLoading.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/STextureAnimatorFrame.h"

#include <boost/make_shared.hpp>

static const char* const kTarnSource = "..\\Src\\RGLoading";

namespace Runegarden {

namespace {

boost::shared_ptr<SCore::STexture> LoadTexture(const boost::shared_ptr<SCore::SViewport>& viewport,
                                               const std::string& name)
{
    boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture(name);
    texture->LoadFromFile(viewport->m_RenderDevice, "Loading\\" + name + ".dds");
    return texture;
}

void SetLook(TarnEngine::SSprite& sprite, const boost::shared_ptr<SCore::STexture>& texture, const SCore::SRect& position,
             const SCore::SRect& texCoords)
{
    SCore::SMaterial& material = sprite.m_Material;
    material.m_Texture1 = texture;
    material.m_AlphaBlend = 1;
    material.m_SrcBlend = 5;
    material.m_DstBlend = 6;
    material.m_ZWrite = 0;
    material.m_Filtration1 = boost::make_shared<SCore::STextureFiltration>();
    sprite.m_CoordAligment = TarnEngine::SCA_LEFT_TOP;
    sprite.m_Position = position;
    sprite.m_TexCoords = texCoords;
    sprite.m_Cached = false;
}

boost::shared_ptr<TarnEngine::SSprite> MakeSprite(const boost::shared_ptr<SCore::SViewport>& viewport)
{
    boost::shared_ptr<TarnEngine::SSprite> sprite(new TarnEngine::SSprite("", true));
    sprite->Create(viewport);
    return sprite;
}

} // namespace

void RGLoading::Create(const boost::shared_ptr<SCore::SViewport>& viewport)
{
    TARN_TRY
    m_Background = LoadTexture(viewport, "background");
    m_Animation = LoadTexture(viewport, "animation");
    m_Active = LoadTexture(viewport, "active");
    m_Passive = LoadTexture(viewport, "passive");

    m_BackgroundSprite = MakeSprite(viewport);
    SetLook(*m_BackgroundSprite, m_Background, {0.0f, 0.0f, 0.99f, 0.99f}, {0.0f, 0.0f, 1.0f, 0.75f});
    m_AnimationSprite = MakeSprite(viewport);
    SetLook(*m_AnimationSprite, m_Animation, {573.5f / 1024.0f, 472.5f / 768.0f, 128.0f / 1024.0f, 128.0f / 768.0f},
            {0.0f, 0.0f, 1.0f, 1.0f});
    boost::shared_ptr<SCore::STextureAnimatorFrame> animator(new SCore::STextureAnimatorFrame("AnimAnimator", 4, 4));
    animator->m_AnimationSpeed = -20.0f;
    m_AnimationSprite->m_Material.SetAnimator1(animator);
    m_Animation->m_TransformEnabled = true;

    m_ProgressBar.reset(new TarnEngine::SProgressBar);
    m_ProgressBar->Create(viewport, false);
    const SCore::SRect bar = {282.5f / 1024.0f, 359.5f / 768.0f, 473.0f / 1024.0f, 60.0f / 768.0f};
    const SCore::SRect barTexture = {0.0f, 0.0f, 0.931640625f, 0.921875f};
    SetLook(m_ProgressBar->m_Background, m_Passive, bar, barTexture);
    SetLook(m_ProgressBar->m_Bar, m_Active, bar, barTexture);
    SetProgress(0.0f);
    TARN_CATCH("RGLoading::Create()")
}

void RGLoading::Render()
{
    TARN_TRY
    if (m_BackgroundSprite->m_Enabled) m_BackgroundSprite->Draw();
    if (m_AnimationSprite->m_Enabled) m_AnimationSprite->Draw();
    m_ProgressBar->DoRender();
    TARN_CATCH("RGLoading::Render()")
}

void RGLoading::SetProgress(float value)
{
    m_ProgressBar->SetValue(value);
    m_ProgressBar->DoUpdate();
}

} // namespace Runegarden
