#include "engine/framework/ui/SUICheckBox.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"

static const char* const kTarnSource = "Src\\SUICheckBox";

namespace TarnEngine {
namespace UI {

bool SUICheckBox::DoHitTest(float x, float y) { return InsideRect(x, y, m_X, m_Y, m_W, m_H); }

void SUICheckBox::DoMouseDown(float, float)
{
    m_Pressed = true;
    m_Checked = !m_Checked;
}

void SUICheckBox::DoMouseOver()
{
    TARN_TRY
    FireClickAndFocus(m_Pressed, m_FocusFired, m_ClickEvent, m_FocusEvent);
    TARN_CATCH("SUICheckBox::DoMouseOver()")
}

void SUICheckBox::DoRender(float x, float y)
{
    TARN_TRY
    bool over = GetState() != SUICS_NORMAL;
    const boost::shared_ptr<SSprite>& sprite = m_Checked ? (over ? m_CheckedOverSprite : m_CheckedSprite)
                                                         : (over ? m_UncheckedOverSprite : m_UncheckedSprite);
    PlaceSprite(sprite, m_X + x, m_Y + y, m_W, m_H);
    DrawSprite(sprite);
    TARN_CATCH("SUICheckBox::DoRender()")
}

} // namespace UI
} // namespace TarnEngine
