#include "game/gameplay/services/RGLocalizationFont.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "engine/framework/drawables/STextureFont.h"

static const char* const kTarnSource = "..\\Src\\RGLocalizationFont";

namespace Runegarden {

RGLocalizationFont gLocalizationFont;

void RGLocalizationFont::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    in.BeginChild("localization");
    in.BeginChild("font");
    in.Deserialize("path", m_Path);
    in.Deserialize("name", m_Name);
    in.Deserialize("charsH", m_CharsH);
    in.Deserialize("charsW", m_CharsW);
    in.Deserialize("indent", m_Indent);
    in.EndChild();
    in.EndChild();
    TARN_CATCH("RGLocalizationFont::Deserialize()")
}

void RGLocalizationFont::ApplyIndent(TarnEngine::STextureFont& font) const
{
    font.m_TexOffsetU = m_Indent.X;
    font.m_TexOffsetV = m_Indent.Y;
    font.m_TexScaleU = m_Indent.Width;
    font.m_TexScaleV = m_Indent.Height;
    font.m_Cached = false;
}

} // namespace Runegarden
