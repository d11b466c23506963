#include "engine/framework/ui/SUIControl.h"

#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"

static const char* const kTarnSource = "Src\\SUIControl";

namespace TarnEngine {
namespace UI {

void SUIControl::DoCharEvent(const SUIInputCharEvent& event)
{
    if (IsEnabled()) DoChar(event.m_Code);
}

void SUIControl::DoKeyUpEvent(const SUIInputKeyUpEvent& event)
{
    if (IsEnabled()) DoKeyUp(event.m_Code);
}

void SUIControl::DoKeyDownEvent(const SUIInputKeyDownEvent& event)
{
    if (IsEnabled()) DoKeyDown(event.m_Code);
}

void SUIControl::DoMouseUpEvent(const SUIInputMouseUpEvent& event) { PointerAt(event.m_X, event.m_Y); }

void SUIControl::DoMouseMoveEvent(const SUIInputMouseMoveEvent& event) { PointerAt(event.m_X, event.m_Y); }

void SUIControl::DoMouseDownEvent(const SUIInputMouseDownEvent& event) { PressAt(event.m_X, event.m_Y); }

bool SUIControl::ToFraction(int32_t px, int32_t py, float& x, float& y) const
{
    if (!m_Viewport || !m_Viewport->m_RenderDevice) return false;
    x = float(uint32_t(px)) / float(m_Viewport->m_RenderDevice->DoGetWidth());
    y = float(uint32_t(py)) / float(m_Viewport->m_RenderDevice->DoGetHeight());
    return true;
}

void SUIControl::PointerAt(int32_t px, int32_t py)
{
    TARN_TRY
    float x, y;
    if (!ToFraction(px, py, x, y)) return;
    if (DoHitTest(x, y)) {
        m_State = SUICS_OVER;
        DoMouseOver();
    } else {
        m_State = SUICS_NORMAL;
        DoMouseOut();
    }
    TARN_CATCH("SUIControl::PointerAt()")
}

void SUIControl::PressAt(int32_t px, int32_t py)
{
    TARN_TRY
    float x, y;
    if (!ToFraction(px, py, x, y)) return;
    if (DoHitTest(x, y)) {
        if (!IsEnabled()) return;
        m_State = SUICS_PRESSED;
        DoMouseDown(x, y);
    } else {
        m_State = SUICS_NORMAL;
        DoMouseOut();
    }
    TARN_CATCH("SUIControl::PressAt()")
}

void SUIControl::FireClickAndFocus(std::atomic<bool>& pressed, std::atomic<bool>& focusFired,
                                   const boost::shared_ptr<IUIEvent>& click, const boost::shared_ptr<IUIEvent>& focus)
{
    // The flags change before the handler runs, so a handler that throws is not called again on
    // every input pass while the pointer rests on the control.
    if (pressed.exchange(false) && click) click->Invoke();
    if (focus && !focusFired.exchange(true)) focus->Invoke();
}

void SUIControl::DrawSprite(const boost::shared_ptr<SSprite>& sprite)
{
    if (sprite && sprite->m_Enabled) sprite->Draw();
}

void SUIControl::PlaceSprite(const boost::shared_ptr<SSprite>& sprite, float x, float y, float w, float h)
{
    if (!sprite) return;
    sprite->m_Position = {x, y, w, h};
    sprite->m_Cached = false;
}

} // namespace UI
} // namespace TarnEngine
