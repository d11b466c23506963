#pragma once
// The localised font of config.xml ("localization"/"font") as the game holds it after start-up,
// and the one place that turns its values into a texture font's arguments.
//
// The configuration names the grid crosswise to the font: "charsH" counts the cells across a row
// (the font's columns) and "charsW" the rows. The "indent" rectangle maps the glyph texture
// coordinates: X, Y offset them and Width, Height scale them, so (0, 0, 1, 1) changes nothing.

#include "engine/core/math/SRect.h"

#include <string>

namespace SCore {
class SDeserializator;
}

namespace TarnEngine {
class STextureFont;
}

namespace Runegarden {

struct RGLocalizationFont {
    std::wstring m_Path; // the font metrics file
    std::string m_Name;  // texture name of the glyph grid
    SCore::SRect m_Indent;
    float m_CharsH = 0.0f;
    float m_CharsW = 0.0f;

    // From the current element "configuration": enters "localization" and "font" and reads
    // "path", "name", "charsH", "charsW" and the rectangle "indent" (all required).
    void Deserialize(SCore::SDeserializator& in);

    // The arguments a texture font or a text widget takes for its glyph grid.
    float Columns() const { return m_CharsH; }
    float Rows() const { return m_CharsW; }
    // Sets the font's texture offset and scale from the indent rectangle.
    void ApplyIndent(TarnEngine::STextureFont& font) const;
};

// Empty until start-up fills it; never changed afterwards.
extern RGLocalizationFont gLocalizationFont;

} // namespace Runegarden
