#include "game/app/kit/RGSpriteRecipes.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "game/gameplay/services/RGFontMetrics.h"
#include "game/gameplay/services/RGLocalizationFont.h"
#include "game/gameplay/services/RGSpriteCreator.h"

#include <boost/make_shared.hpp>

static const char* const kTarnSource = "..\\Src\\RGSpriteRecipes";

namespace Runegarden {

boost::shared_ptr<TarnEngine::SSprite> RGSpriteRecipes::Sprite(const std::string& name, const std::string& texture,
                                                               bool withTransform, bool alphaBlend, bool trilinear,
                                                               const SCore::SRect& position)
{
    TARN_TRY
    const boost::shared_ptr<SCore::SViewport> viewport = RGSpriteCreator::GetViewport();
    TARN_ASSERT(0 != viewport.get());
    boost::shared_ptr<TarnEngine::SSprite> sprite(new TarnEngine::SSprite(name, withTransform));
    sprite->Create(viewport);
    SCore::SMaterial& material = sprite->m_Material;
    material.m_Texture1 = viewport->m_TextureManager->GetTexture(texture);
    material.m_AlphaBlend = alphaBlend ? 1 : 0;
    material.m_SrcBlend = 5;
    material.m_DstBlend = 6;
    material.m_ZWrite = 0;
    material.m_Filtration1 = boost::make_shared<SCore::STextureFiltration>();
    material.m_Filtration1->m_IsBilinear = false;
    material.m_Filtration1->m_IsTrilinear = trilinear;
    sprite->m_CoordAligment = TarnEngine::SCA_LEFT_TOP;
    sprite->m_Position = position;
    sprite->m_Cached = false;
    return sprite;
    TARN_CATCH("RGSpriteRecipes::Sprite()")
}

boost::shared_ptr<TarnEngine::STextureFont> RGSpriteRecipes::Label(const std::string& text, float advance, float x,
                                                                   float y, float width, float height,
                                                                   const uint8_t colour[4])
{
    TARN_TRY
    const boost::shared_ptr<SCore::SViewport> viewport = RGSpriteCreator::GetViewport();
    TARN_ASSERT(0 != viewport.get());
    boost::shared_ptr<TarnEngine::STextureFont> font(
        new TarnEngine::STextureFont(gLocalizationFont.Columns(), gLocalizationFont.Rows(), advance));
    font->Create(viewport);
    SCore::SMaterial& material = font->m_Material;
    material.m_Texture1 = viewport->m_TextureManager->GetTexture(gLocalizationFont.m_Name);
    material.m_AlphaBlend = 1;
    material.m_SrcBlend = 5;
    material.m_DstBlend = 6;
    material.m_ZWrite = 0;
    material.m_Filtration1 = boost::make_shared<SCore::STextureFiltration>();
    material.m_Filtration1->m_IsBilinear = true;
    font->m_X = x;
    font->m_Y = y;
    font->m_GlyphWidth = width;
    font->m_GlyphHeight = height;
    font->SetText(text);
    for (int i = 0; i < 4; ++i) font->m_Color[i] = colour[i];
    gLocalizationFont.ApplyIndent(*font);
    ApplyFontMetrics(font);
    font->m_Cached = false;
    return font;
    TARN_CATCH("RGSpriteRecipes::Label()")
}

} // namespace Runegarden
