#pragma once
// How the text widgets (labels, text boxes, list rows) lay out one line: a character cell, a
// spacing factor between characters, four paddings, an alignment within the box and whether the
// box has a fixed width of so many characters.

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>

namespace SCore {
class SViewport;
}

namespace TarnEngine {
class SSprite;
class STextureFont;

namespace UI {

enum SUITextAlignment : uint32_t {
    SUITA_LEFT = 0,
    SUITA_RIGHT = 1,
    SUITA_CENTER = 2,
};

class SUITextLayout {
public:
    void SetCell(float cellWidth, float cellHeight, float spacing)
    {
        m_CellWidth = cellWidth;
        m_CellHeight = cellHeight;
        m_Spacing = spacing;
    }
    // A font on the named glyph-grid texture of the viewport's texture manager, blended, with its
    // glyphs sized to the cell.
    boost::shared_ptr<STextureFont> CreateFont(const boost::shared_ptr<SCore::SViewport>& viewport,
                                               const std::string& textureName, float charsW, float charsH) const;
    // The font's text width in viewport fractions; 0 for an empty text.
    float TextWidth(const STextureFont& font) const;
    // Whether (x, y) lies on the box of widthChars characters at (boxX, boxY), paddings included.
    bool HitTest(float boxX, float boxY, uint32_t widthChars, float x, float y) const;
    // Places the background and the font for a box at (boxX, boxY) and returns where the text
    // ends (for a caret).
    void Arrange(STextureFont& font, const boost::shared_ptr<SSprite>& background, float boxX, float boxY,
                 uint32_t widthChars, float& textEndX, float& textY) const;

    float m_CellWidth = 0.0f, m_CellHeight = 0.0f;
    float m_Spacing = 1.0f;
    uint32_t m_Alignment = SUITA_LEFT;
    float m_PaddingLeft = 0.0f, m_PaddingTop = 0.0f, m_PaddingRight = 0.0f, m_PaddingBottom = 0.0f;
    bool m_FixedWidth = true;
};

} // namespace UI
} // namespace TarnEngine
