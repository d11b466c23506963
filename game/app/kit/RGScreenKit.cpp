#include "game/app/kit/RGScreenKit.h"

#include "engine/core/base/TarnCoreException.h"
#include "game/app/kit/RGSpriteRecipes.h"
#include "game/gameplay/services/RGFontMetrics.h"
#include "game/gameplay/services/RGLocalizationFont.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/win32.h"

static const char* const kTarnSource = "..\\Src\\RGScreenKit";

using TarnEngine::SSprite;
using TarnEngine::UI::SUIButton;

namespace Runegarden {

RGScreenKit::SpritePtr RGScreenKit::Sprite(const std::string& texture, bool withTransform, float left, float top,
                                           float right, float bottom)
{
    TARN_TRY
    SpritePtr sprite = RGSpriteCreator::CreateTexturedSprite(texture, withTransform);
    sprite->m_TexCoords = SCore::SRect{left, top, right, bottom};
    sprite->m_Cached = false;
    return sprite;
    TARN_CATCH("RGScreenKit::Sprite()")
}

RGScreenKit::ButtonPtr RGScreenKit::Button(const SpritePtr& normal, const SpritePtr& over, float x, float y, float w,
                                           float h)
{
    ButtonPtr button(new SUIButton);
    button->SetViewport(RGSpriteCreator::GetViewport());
    button->m_NormalSprite = normal;
    button->m_OverSprite = over;
    button->m_PressedSprite = normal;
    button->m_X = x;
    button->m_Y = y;
    button->m_W = w;
    button->m_H = h;
    return button;
}

RGScreenKit::ButtonPtr RGScreenKit::StripButton(const std::string& texture, float right, float normalTop,
                                                float normalBottom, float overTop, float overBottom, float x, float y,
                                                float w, float h)
{
    TARN_TRY
    return Button(Sprite(texture, true, 0.0f, normalTop, right, normalBottom),
                  Sprite(texture, true, 0.0f, overTop, right, overBottom), x, y, w, h);
    TARN_CATCH("RGScreenKit::StripButton()")
}

RGScreenKit::ButtonPtr RGScreenKit::PairButton(const std::string& normal, const std::string& over, float right,
                                               float bottom, float x, float y, float w, float h)
{
    TARN_TRY
    return Button(Sprite(normal, true, 0.0f, 0.0f, right, bottom), Sprite(over, true, 0.0f, 0.0f, right, bottom), x, y,
                  w, h);
    TARN_CATCH("RGScreenKit::PairButton()")
}

boost::shared_ptr<TarnEngine::STextureFont> RGScreenKit::Font(const std::string& text, float advance, float x, float y,
                                                              float w, float h, uint8_t alpha, uint8_t red,
                                                              uint8_t green, uint8_t blue)
{
    const uint8_t colour[4] = {alpha, red, green, blue};
    return RGSpriteRecipes::Label(text, advance, x, y, w, h, colour);
}

boost::shared_ptr<TarnEngine::UI::SUILabel> RGScreenKit::Label(uint32_t widthInChars, float w, float h, float spacing,
                                                               float x, float y, const std::wstring& text)
{
    TARN_TRY
    boost::shared_ptr<TarnEngine::UI::SUILabel> label(new TarnEngine::UI::SUILabel);
    label->SetViewport(RGSpriteCreator::GetViewport());
    label->Create(widthInChars, w, h, spacing, gLocalizationFont.m_Name, gLocalizationFont.Columns(),
                  gLocalizationFont.Rows(), x, y, text);
    label->m_Layout.m_Alignment = TarnEngine::UI::SUITA_CENTER;
    gLocalizationFont.ApplyIndent(*label->GetFont());
    ApplyFontMetrics(label->GetFont());
    return label;
    TARN_CATCH("RGScreenKit::Label()")
}

float RGScreenKit::HalfBox(uint32_t chars, float cellWidth, float spacing)
{
    return 0.5f * (static_cast<float>(chars) + static_cast<float>(chars - 1) * (spacing - 1.0f)) * cellWidth;
}

void RGScreenKit::CentreOnBox(TarnEngine::UI::SUILabel& label)
{
    TarnEngine::UI::SUITextLayout& layout = label.m_Layout;
    layout.m_Alignment = TarnEngine::UI::SUITA_CENTER;
    layout.m_PaddingLeft = layout.m_PaddingRight = HalfBox(label.m_WidthInChars, layout.m_CellWidth, layout.m_Spacing);
}

RGScreenKit::FadePtr RGScreenKit::Fade(float milliseconds, const SpritePtr& sprite, TarnEngine::STransitionState state)
{
    FadePtr fade(new TarnEngine::SSpriteTransition(milliseconds));
    fade->SetSprite(sprite);
    fade->m_TransitionState = state;
    return fade;
}

void RGScreenKit::Draw(const SpritePtr& sprite)
{
    if (sprite && sprite->m_Enabled) sprite->Draw();
}

void RGScreenKit::Draw(const boost::shared_ptr<TarnEngine::STextureFont>& font)
{
    if (font && font->m_Enabled) font->Draw();
}

void RGScreenKit::SetText(TarnEngine::UI::SUILabel& label, const std::wstring& text)
{
    label.SetText(text);
    if (label.GetFont()) label.GetFont()->m_Cached = false;
}

void RGScreenKit::SetColour(TarnEngine::STextureFont& font, uint8_t alpha, uint8_t red, uint8_t green,
                            uint8_t blue)
{
    font.m_Color[0] = alpha;
    font.m_Color[1] = red;
    font.m_Color[2] = green;
    font.m_Color[3] = blue;
    font.m_Cached = false;
}

std::wstring RGScreenKit::Widen(const std::string& text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

uint32_t RGScreenKit::Since(uint32_t start) { return static_cast<uint32_t>(timeGetTime() - start); }

} // namespace Runegarden
