#include "game/gameplay/services/RGFontMetrics.h"

#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/framework/drawables/STextureFont.h"
#include "game/gameplay/services/RGLocalizationFont.h"
#include "game/gameplay/services/RGFiniteValue.h"

namespace Runegarden {

void RGFontMetrics::Load(const std::wstring& path)
{
    // No context of its own: the reader's message reaches the game's construction as it is.
    SCore::SXMLDeserializator in(path);
    in.BeginChild("font");
    const unsigned int count = in.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        in.BeginChild(i);
        unsigned int code = 0;
        RGFontMetric metric;
        in.Deserialize("code", code);
        in.Deserialize("index", metric.m_Index);
        in.Deserialize("width", metric.m_Width);
        RequireFinite("font width", metric.m_Width);
        m_Entries[code] = metric;
        in.EndChild();
    }
    in.EndChild();
}

void RGFontMetrics::Apply(TarnEngine::STextureFont& font) const
{
    for (const auto& entry : m_Entries) {
        font.m_Advances[entry.first] = entry.second.m_Width;
        font.m_Cells[entry.first] = entry.second.m_Index;
    }
    font.m_Cached = false;
}

RGFontMetrics& RGFontMetrics::Global()
{
    static RGFontMetrics table;
    return table;
}

void LoadFontMetrics() { RGFontMetrics::Global().Load(gLocalizationFont.m_Path); }

void ApplyFontMetrics(const boost::shared_ptr<TarnEngine::STextureFont>& font)
{
    if (font) RGFontMetrics::Global().Apply(*font);
}

} // namespace Runegarden
