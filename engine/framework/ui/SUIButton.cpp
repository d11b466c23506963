#include "engine/framework/ui/SUIButton.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/ui/SUIToolTip.h"

static const char* const kTarnSource = "Src\\SUIButton";

namespace TarnEngine {
namespace UI {

namespace {
const uint32_t kEnter = 13;
}

bool SUIButton::DoHitTest(float x, float y) { return InsideRect(x, y, m_X, m_Y, m_W, m_H); }

void SUIButton::DoMouseOver()
{
    TARN_TRY
    FireClickAndFocus(m_Pressed, m_FocusFired, m_ClickEvent, m_FocusEvent);
    if (m_ToolTip && !m_ToolTipText.empty()) {
        SUILabel& label = *m_ToolTip->GetLabel();
        label.m_X = m_X + m_ToolTip->m_XOffset;
        // Below the button by its width, not its height: the game's offsets are tuned to it.
        label.m_Y = m_ToolTip->m_Placement == 1 ? m_Y + m_W + m_ToolTip->m_YOffset : m_Y - m_ToolTip->m_YOffset;
        label.SetText(m_ToolTipText);
    }
    TARN_CATCH("SUIButton::DoMouseOver()")
}

void SUIButton::DoRender(float x, float y)
{
    TARN_TRY
    for (const auto* sprite : {&m_NormalSprite, &m_OverSprite, &m_PressedSprite, &m_DisabledSprite})
        PlaceSprite(*sprite, m_X + x, m_Y + y, m_W, m_H);
    int32_t state = GetState();
    bool drawTip = true;
    if (IsEnabled()) {
        if (state == SUICS_NORMAL) {
            DrawSprite(m_NormalSprite);
            if (m_ToolTip) m_ToolTip->Hide();
        } else if (state == SUICS_OVER) {
            DrawSprite(m_OverSprite);
            if (m_ToolTip) m_ToolTip->Show();
        } else {
            DrawSprite(m_PressedSprite);
            drawTip = false;
        }
    } else {
        DrawSprite(m_DisabledSprite);
        if (m_ToolTip && state == SUICS_NORMAL) m_ToolTip->Hide();
        if (m_ToolTip && state == SUICS_OVER) m_ToolTip->Show();
    }
    if (drawTip && m_ToolTip && !m_ToolTip->IsHidden()) m_ToolTip->DoRender(x, y);
    TARN_CATCH("SUIButton::DoRender()")
}

void SUIButton::DoKeyUp(uint32_t code)
{
    TARN_TRY
    if (code != kEnter || !m_EnterActivates) return;
    DoMouseDown(0.0f, 0.0f);
    DoMouseOver();
    TARN_CATCH("SUIButton::DoKeyUp()")
}

} // namespace UI
} // namespace TarnEngine
