#pragma once
// A push button: a sprite per state, a click event fired by the first pointer-over event after a
// press, a focus event fired once each time the pointer enters, and an optional tool tip.

#include "engine/framework/threads/IUIEvent.h"
#include "engine/framework/ui/SUIControl.h"

namespace TarnEngine {
namespace UI {

class SUIToolTip;

class SUIButton : public SUIControl {
public:
    bool DoHitTest(float x, float y) override;
    void DoMouseOver() override;
    void DoMouseDown(float x, float y) override { m_Pressed = true; }
    void DoMouseOut() override { m_FocusFired = false; }
    void DoRender(float x, float y) override;
    // Enter clicks a button that Enter activates.
    void DoKeyUp(uint32_t code) override;

    bool IsPressed() const { return m_Pressed; }

    float m_X = 0.0f, m_Y = 0.0f, m_W = 0.0f, m_H = 0.0f;
    boost::shared_ptr<SSprite> m_NormalSprite, m_OverSprite, m_PressedSprite, m_DisabledSprite;
    boost::shared_ptr<IUIEvent> m_ClickEvent, m_FocusEvent;
    boost::shared_ptr<SUIToolTip> m_ToolTip;
    std::wstring m_ToolTipText;
    bool m_EnterActivates = false;

private:
    std::atomic<bool> m_Pressed{false};
    std::atomic<bool> m_FocusFired{false};
};

} // namespace UI
} // namespace TarnEngine
