#include "engine/framework/ui/SUITextLayout.h"

#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/STextureFont.h"

static const char* const kTarnSource = "Src\\SUITextLayout";

namespace TarnEngine {
namespace UI {

boost::shared_ptr<STextureFont> SUITextLayout::CreateFont(const boost::shared_ptr<SCore::SViewport>& viewport,
                                                          const std::string& textureName, float charsW,
                                                          float charsH) const
{
    TARN_TRY
    TARN_ASSERT(0 != viewport.get());
    boost::shared_ptr<STextureFont> font(new STextureFont(charsW, charsH, m_Spacing));
    font->Create(viewport);
    font->m_GlyphWidth = m_CellWidth;
    font->m_GlyphHeight = m_CellHeight;
    font->m_Material.m_Texture1 = viewport->m_TextureManager->GetTexture(textureName);
    font->m_Material.m_AlphaBlend = 1;
    font->m_Material.m_SrcBlend = 5; // source alpha
    font->m_Material.m_DstBlend = 6; // inverse source alpha
    font->m_Material.m_ZWrite = 0;
    boost::shared_ptr<SCore::STextureFiltration> filtration(new SCore::STextureFiltration);
    filtration->m_IsBilinear = true;
    font->m_Material.m_Filtration1 = filtration;
    return font;
    TARN_CATCH("SUITextLayout::CreateFont()")
}

float SUITextLayout::TextWidth(const STextureFont& font) const
{
    size_t n = font.GetText().size();
    if (n == 0) return 0.0f;
    return (font.GetTextWidth() + float(n - 1) * (m_Spacing - 1.0f)) * m_CellWidth;
}

bool SUITextLayout::HitTest(float boxX, float boxY, uint32_t widthChars, float x, float y) const
{
    float right = boxX + float(widthChars) * m_CellWidth + m_PaddingLeft + m_PaddingRight;
    float bottom = boxY + m_CellHeight + m_PaddingTop + m_PaddingBottom;
    return x >= boxX && x <= right && y >= boxY && y <= bottom;
}

void SUITextLayout::Arrange(STextureFont& font, const boost::shared_ptr<SSprite>& background, float boxX, float boxY,
                            uint32_t widthChars, float& textEndX, float& textY) const
{
    float textWidth = TextWidth(font);
    // Whole numbers of viewport fractions, as the layout values are tuned to.
    float boxWidth = m_FixedWidth
                         ? float(int32_t((float(widthChars) + float(int32_t(widthChars) - 1) * (m_Spacing - 1.0f)) * m_CellWidth))
                         : float(int32_t(textWidth));
    if (background) {
        background->m_Position = {boxX, boxY, m_PaddingLeft + boxWidth + m_PaddingRight,
                                   m_PaddingTop + m_CellHeight + m_PaddingBottom};
        background->m_Cached = false;
    }
    float textX;
    if (m_Alignment == SUITA_LEFT) textX = boxX + m_PaddingLeft;
    else if (m_Alignment == SUITA_CENTER) textX = boxX + m_PaddingLeft + (boxWidth - textWidth) / 2;
    else textX = boxX + boxWidth + m_PaddingRight - textWidth;
    textY = boxY + m_PaddingTop;
    if (font.m_X != textX || font.m_Y != textY) {
        font.m_X = textX;
        font.m_Y = textY;
        font.m_Cached = false;
    }
    textEndX = textX + textWidth;
}

} // namespace UI
} // namespace TarnEngine
