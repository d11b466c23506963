#pragma once
// A check box: a press toggles it; like a button it fires its click event on the first
// pointer-over event after the press and its focus event once per entry of the pointer.

#include "engine/framework/threads/IUIEvent.h"
#include "engine/framework/ui/SUIControl.h"

namespace TarnEngine {
namespace UI {

class SUICheckBox : public SUIControl {
public:
    bool DoHitTest(float x, float y) override;
    void DoMouseOver() override;
    void DoMouseDown(float x, float y) override;
    void DoMouseOut() override { m_FocusFired = false; }
    void DoRender(float x, float y) override;

    float m_X = 0.0f, m_Y = 0.0f, m_W = 0.0f, m_H = 0.0f;
    boost::shared_ptr<SSprite> m_UncheckedSprite, m_UncheckedOverSprite, m_CheckedSprite, m_CheckedOverSprite;
    boost::shared_ptr<IUIEvent> m_ClickEvent, m_FocusEvent;
    std::atomic<bool> m_Checked{false};

private:
    std::atomic<bool> m_Pressed{false};
    std::atomic<bool> m_FocusFired{false};
};

} // namespace UI
} // namespace TarnEngine
