#include "engine/framework/ui/SUITrackBar.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"

#include <algorithm>

static const char* const kTarnSource = "Src\\SUITrackBar";

namespace TarnEngine {
namespace UI {

bool SUITrackBar::DoHitTest(float x, float y) { return InsideRect(x, y, m_X, m_Y, m_W, m_H); }

void SUITrackBar::DoMouseDown(float x, float y)
{
    TARN_TRY
    // A bar without width has no position to take; rounding at the edges must not leave 0..1.
    float value = m_W > 0.0f ? (x - m_X) / m_W : 0.0f;
    m_Value = std::min(1.0f, std::max(0.0f, value));
    if (m_ChangeEvent) m_ChangeEvent->Invoke();
    TARN_CATCH("SUITrackBar::DoMouseDown()")
}

void SUITrackBar::DoRender(float x, float y)
{
    TARN_TRY
    PlaceSprite(m_BarSprite, m_X + x, m_Y + y, m_W, m_H);
    DrawSprite(m_BarSprite);
    PlaceSprite(m_ThumbSprite, m_X + x + m_Value * m_W * (1.0f - m_ThumbWidth), m_Y + y + m_H - m_ThumbHeight * m_H,
                m_ThumbWidth * m_W, m_ThumbHeight * m_H);
    DrawSprite(m_ThumbSprite);
    TARN_CATCH("SUITrackBar::DoRender()")
}

} // namespace UI
} // namespace TarnEngine
