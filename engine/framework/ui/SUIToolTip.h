#pragma once
// A label that its owner (a button) places, shows and hides; it can fade in and out.

#include "engine/framework/ui/SUILabel.h"

namespace TarnEngine {
class SSpriteTransition;
class STextureFontTransition;

namespace UI {

class SUIToolTip : public SUIControl {
public:
    SUIToolTip();

    // Makes the label (see SUILabel::Create), then its fades.
    void Create(uint32_t widthInChars, float cellWidth, float cellHeight, float spacing, const std::string& textureName,
                float charsW, float charsH, float x, float y, const std::wstring& text, int32_t fading);
    // 0: no fades; otherwise 500 ms fades of the label's background and font, starting hidden.
    void CreateFades(int32_t fading);
    // Fade in (only when not shown) and out (only when shown).
    void Show();
    void Hide();
    bool IsShown() const { return m_Shown; }
    // Both fades hidden and the tip not shown, without fading.
    void SetHiddenAtOnce();
    const boost::shared_ptr<SUILabel>& GetLabel() const { return m_Label; }
    const boost::shared_ptr<SSpriteTransition>& GetSpriteFade() const { return m_SpriteFade; }
    const boost::shared_ptr<STextureFontTransition>& GetFontFade() const { return m_FontFade; }

    bool DoHitTest(float x, float y) override { return m_Label->DoHitTest(x, y); }
    // Advances the fades and draws the label while it is shown or fading.
    void DoRender(float x, float y) override;

    int32_t m_Placement = 1; // 1 below the owner, else above
    float m_XOffset = 0.0f, m_YOffset = 0.0f;

private:
    boost::shared_ptr<SUILabel> m_Label;
    bool m_Shown = false;
    int32_t m_Fading = 0;
    boost::shared_ptr<SSpriteTransition> m_SpriteFade;
    boost::shared_ptr<STextureFontTransition> m_FontFade;
};

} // namespace UI
} // namespace TarnEngine
