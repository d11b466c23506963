#pragma once
// A line of text on an optional background, drawn with a texture font.

#include "engine/framework/ui/SUIControl.h"
#include "engine/framework/ui/SUITextLayout.h"

namespace TarnEngine {
namespace UI {

class SUILabel : public SUIControl {
public:
    // Needs the viewport (SetViewport) for the font's texture.
    void Create(uint32_t widthInChars, float cellWidth, float cellHeight, float spacing, const std::string& textureName,
                float charsW, float charsH, float x, float y, const std::wstring& text);
    const boost::shared_ptr<STextureFont>& GetFont() const { return m_Font; }
    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return m_Text; }

    bool DoHitTest(float x, float y) override;
    void DoRender(float x, float y) override;

    float m_X = 0.0f, m_Y = 0.0f;
    boost::shared_ptr<SSprite> m_Background;
    uint32_t m_WidthInChars = 0;
    SUITextLayout m_Layout;

private:
    boost::shared_ptr<STextureFont> m_Font;
    std::wstring m_Text;
};

} // namespace UI
} // namespace TarnEngine
