#include "game/gameplay/services/RGSpriteCreator.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/STextureFiltration.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "engine/framework/drawables/SSprite.h"

#include <cmath>

static const char* const kTarnSource = "..\\Src\\RGSpriteCreator";

using TarnEngine::SSprite;

namespace Runegarden {

namespace {

boost::shared_ptr<SCore::SViewport>& Holder()
{
    static boost::shared_ptr<SCore::SViewport> viewport;
    return viewport;
}

} // namespace

void RGSpriteCreator::SetViewport(const boost::shared_ptr<SCore::SViewport>& viewport) { Holder() = viewport; }

boost::shared_ptr<SCore::SViewport> RGSpriteCreator::GetViewport() { return Holder(); }

boost::shared_ptr<SSprite> RGSpriteCreator::CreateSprite(bool withTransform)
{
    TARN_TRY
    boost::shared_ptr<SSprite> sprite(new SSprite("", withTransform));
    sprite->Create(Holder());
    return sprite;
    TARN_CATCH("RGSpriteCreator::CreateSprite()")
}

boost::shared_ptr<SSprite> RGSpriteCreator::CreateTexturedSprite(const std::string& textureName, bool withTransform)
{
    TARN_TRY
    const boost::shared_ptr<SCore::SViewport> viewport = Holder();
    TARN_ASSERT(0 != viewport.get());
    TARN_ASSERT(0 != viewport->m_TextureManager.get());
    boost::shared_ptr<SSprite> sprite(new SSprite(textureName, withTransform));
    sprite->Create(viewport);
    SCore::SMaterial& material = sprite->m_Material;
    material.m_Texture1 = viewport->m_TextureManager->GetTexture(textureName);
    material.m_AlphaBlend = 1;
    material.m_SrcBlend = 5;
    material.m_DstBlend = 6;
    material.m_ZWrite = 0;
    boost::shared_ptr<SCore::STextureFiltration> filtration(new SCore::STextureFiltration);
    filtration->m_IsBilinear = false;
    filtration->m_IsTrilinear = false;
    filtration->m_IsAnisotropic = false;
    material.m_Filtration1 = filtration;
    sprite->m_CoordAligment = TarnEngine::SCA_LEFT_TOP;
    return sprite;
    TARN_CATCH("RGSpriteCreator::CreateTexturedSprite()")
}

float AlignToTexel(uint32_t pixels, float fraction)
{
    const double n = static_cast<float>(pixels);
    return static_cast<float>(std::trunc(n * fraction) / n - 0.5 / n);
}

float AlignToPixel(uint32_t pixels, float fraction)
{
    const double n = static_cast<float>(pixels);
    return static_cast<float>(std::trunc(n * fraction) / n);
}

} // namespace Runegarden
