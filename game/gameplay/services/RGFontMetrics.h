#pragma once
// The game's font metrics: for each character code the glyph-grid cell that shows it and its
// advance in glyph widths. One table serves the whole process; it is read once while the game
// is constructed (before any other thread runs) and only read afterwards.

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <map>
#include <string>

namespace TarnEngine {
class STextureFont;
}

namespace Runegarden {

struct RGFontMetric {
    uint32_t m_Index = 0; // grid cell, row by row from the top-left
    float m_Width = 1.0f; // advance in glyph widths
};

class RGFontMetrics {
public:
    // Reads the "font" element's children by position ("code", "index", "width", all required);
    // a later code replaces an earlier one. Entries read before a failure stay.
    void Load(const std::wstring& path);
    // Copies every entry into the font's cell and advance tables; other codes keep the font's own.
    void Apply(TarnEngine::STextureFont& font) const;
    const std::map<uint32_t, RGFontMetric>& GetEntries() const { return m_Entries; }

    // The process's table.
    static RGFontMetrics& Global();

private:
    std::map<uint32_t, RGFontMetric> m_Entries;
};

// Reads the metrics file that the configuration names (gLocalizationFont's path) into the table.
void LoadFontMetrics();
// Applies the table to a font.
void ApplyFontMetrics(const boost::shared_ptr<TarnEngine::STextureFont>& font);

} // namespace Runegarden
