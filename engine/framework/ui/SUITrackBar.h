#pragma once
// A slider: a press on the bar sets the value (0 at the left edge, 1 at the right) and fires the
// change event; the thumb is drawn at the value.

#include "engine/framework/threads/IUIEvent.h"
#include "engine/framework/ui/SUIControl.h"

namespace TarnEngine {
namespace UI {

class SUITrackBar : public SUIControl {
public:
    bool DoHitTest(float x, float y) override;
    void DoMouseDown(float x, float y) override;
    void DoRender(float x, float y) override;

    boost::shared_ptr<IUIEvent> m_ChangeEvent;
    float m_X = 0.0f, m_Y = 0.0f, m_W = 0.0f, m_H = 0.0f;
    float m_ThumbWidth = 0.1f;  // fraction of the bar's width
    float m_ThumbHeight = 1.0f; // factor of the bar's height
    boost::shared_ptr<SSprite> m_BarSprite, m_ThumbSprite;
    std::atomic<float> m_Value{0.0f};
};

} // namespace UI
} // namespace TarnEngine
