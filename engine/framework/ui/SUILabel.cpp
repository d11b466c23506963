#include "engine/framework/ui/SUILabel.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/STextureFont.h"

static const char* const kTarnSource = "Src\\SUILabel";

namespace TarnEngine {
namespace UI {

void SUILabel::Create(uint32_t widthInChars, float cellWidth, float cellHeight, float spacing,
                      const std::string& textureName, float charsW, float charsH, float x, float y,
                      const std::wstring& text)
{
    TARN_TRY
    m_WidthInChars = widthInChars;
    m_Layout.SetCell(cellWidth, cellHeight, spacing);
    m_Font = m_Layout.CreateFont(m_Viewport, textureName, charsW, charsH);
    m_X = x;
    m_Y = y;
    SetText(text);
    TARN_CATCH("SUILabel::Create()")
}

void SUILabel::SetText(const std::wstring& text)
{
    m_Text = text;
    if (m_Font) m_Font->SetText(text);
}

bool SUILabel::DoHitTest(float x, float y) { return m_Layout.HitTest(m_X, m_Y, m_WidthInChars, x, y); }

void SUILabel::DoRender(float x, float y)
{
    TARN_TRY
    TARN_ASSERT(0 != m_Font.get());
    float textEnd, textY;
    m_Layout.Arrange(*m_Font, m_Background, m_X + x, m_Y + y, m_WidthInChars, textEnd, textY);
    DrawSprite(m_Background);
    m_Font->Draw();
    TARN_CATCH("SUILabel::DoRender()")
}

} // namespace UI
} // namespace TarnEngine
