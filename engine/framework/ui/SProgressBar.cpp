#include "engine/framework/ui/SProgressBar.h"

#include "engine/core/base/TarnCoreException.h"

static const char* const kTarnSource = "Src\\SProgressBar";

namespace TarnEngine {

SProgressBar::SProgressBar() : m_Background("Noname sprite", false), m_Bar("Noname sprite", false) {}

void SProgressBar::Create(const boost::shared_ptr<SCore::SViewport>& viewport, bool vertical)
{
    TARN_TRY
    m_Background.Create(viewport);
    m_Bar.Create(viewport);
    m_Vertical = vertical;
    TARN_CATCH("SProgressBar::Create()")
}

void SProgressBar::SetValue(float value)
{
    TARN_ASSERT(value >= 0.0f && value <= 1.0f);
    m_Value = value;
}

void SProgressBar::DoUpdate()
{
    const SCore::SRect& back = m_Background.m_Position;
    if (m_Vertical) {
        m_Bar.m_Position.Y = back.Y + (1.0f - m_Value) * back.Height;
        m_Bar.m_Position.Height = m_Value * back.Height;
        m_Bar.m_TexCoords.Y = (1.0f - m_Value) * m_Bar.m_TexCoords.Height;
    } else {
        m_Bar.m_Position.Width = m_Value * back.Width;
        m_Bar.m_TexCoords.Width = m_Value * m_Background.m_TexCoords.Width;
    }
    m_Bar.m_Cached = false;
}

void SProgressBar::DoRender()
{
    TARN_TRY
    if (m_Background.m_Enabled) m_Background.Draw();
    if (m_Bar.m_Enabled) m_Bar.Draw();
    TARN_CATCH("SProgressBar::DoRender()")
}

} // namespace TarnEngine
