#pragma once
// A form: a rectangle with an optional background sprite and child controls. It hands input to
// its children relative to its own top-left corner and draws them offset by it.

#include "engine/framework/threads/IUIEvent.h"
#include "engine/framework/ui/SUIControl.h"

#include <vector>

namespace TarnEngine {
namespace UI {

class SUIForm : public SUIControl {
public:
    explicit SUIForm(const std::string& formName) : m_FormName(formName) {}

    void AddControl(const boost::shared_ptr<SUIControl>& control) { m_Children.push_back(control); }
    const std::string& GetFormName() const { return m_FormName; }

    bool DoHitTest(float x, float y) override;
    // Background, then the update event, then the children that are not hidden.
    void DoRender(float x, float y) override;

    void DoCharEvent(const SUIInputCharEvent& event) override;
    void DoKeyUpEvent(const SUIInputKeyUpEvent& event) override;
    void DoKeyDownEvent(const SUIInputKeyDownEvent& event) override;
    void DoMouseUpEvent(const SUIInputMouseUpEvent& event) override;
    void DoMouseMoveEvent(const SUIInputMouseMoveEvent& event) override;
    void DoMouseDownEvent(const SUIInputMouseDownEvent& event) override;

    float m_X = 0.0f, m_Y = 0.0f, m_W = 0.0f, m_H = 0.0f;
    boost::shared_ptr<SSprite> m_Background;
    std::vector<boost::shared_ptr<SUIControl>> m_Children;
    // Invoked each time the form is drawn (main thread).
    boost::shared_ptr<IUIEvent> m_UpdateEvent;

private:
    // The form's top-left corner in whole pixels.
    void PixelOffset(int32_t& x, int32_t& y) const;

    std::string m_FormName;
};

} // namespace UI
} // namespace TarnEngine
