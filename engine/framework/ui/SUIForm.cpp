#include "engine/framework/ui/SUIForm.h"

#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"

static const char* const kTarnSource = "Src\\SUIForm";

namespace TarnEngine {
namespace UI {

bool SUIForm::DoHitTest(float x, float y) { return InsideRect(x, y, m_X, m_Y, m_W, m_H); }

void SUIForm::DoRender(float x, float y)
{
    TARN_TRY
    PlaceSprite(m_Background, m_X + x, m_Y + y, m_W, m_H);
    DrawSprite(m_Background);
    if (m_UpdateEvent) m_UpdateEvent->Invoke();
    for (const auto& child : m_Children)
        if (!child->IsHidden()) child->DoRender(m_X + x, m_Y + y);
    TARN_CATCH("SUIForm::DoRender()")
}

void SUIForm::PixelOffset(int32_t& x, int32_t& y) const
{
    x = y = 0;
    if (!m_Viewport || !m_Viewport->m_RenderDevice) return;
    x = int32_t(m_X * float(m_Viewport->m_RenderDevice->DoGetWidth()));
    y = int32_t(m_Y * float(m_Viewport->m_RenderDevice->DoGetHeight()));
}

void SUIForm::DoCharEvent(const SUIInputCharEvent& event)
{
    for (const auto& child : m_Children)
        if (child->IsEnabled()) child->DoChar(event.m_Code);
}

void SUIForm::DoKeyUpEvent(const SUIInputKeyUpEvent& event)
{
    for (const auto& child : m_Children)
        if (child->IsEnabled()) child->DoKeyUp(event.m_Code);
}

void SUIForm::DoKeyDownEvent(const SUIInputKeyDownEvent& event)
{
    for (const auto& child : m_Children)
        if (child->IsEnabled()) child->DoKeyDown(event.m_Code);
}

void SUIForm::DoMouseUpEvent(const SUIInputMouseUpEvent& event)
{
    int32_t ox, oy;
    PixelOffset(ox, oy);
    SUIInputMouseUpEvent inner(event.m_X - ox, event.m_Y - oy);
    for (const auto& child : m_Children)
        if (child->IsEnabled()) child->DoMouseUpEvent(inner);
}

void SUIForm::DoMouseMoveEvent(const SUIInputMouseMoveEvent& event)
{
    int32_t ox, oy;
    PixelOffset(ox, oy);
    SUIInputMouseMoveEvent inner(event.m_X - ox, event.m_Y - oy);
    for (const auto& child : m_Children) child->DoMouseMoveEvent(inner);
}

void SUIForm::DoMouseDownEvent(const SUIInputMouseDownEvent& event)
{
    int32_t ox, oy;
    PixelOffset(ox, oy);
    SUIInputMouseDownEvent inner(event.m_X - ox, event.m_Y - oy);
    for (const auto& child : m_Children)
        if (child->IsEnabled()) child->DoMouseDownEvent(inner);
}

} // namespace UI
} // namespace TarnEngine
