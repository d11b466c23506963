#pragma once
// A progress bar: a background sprite and a bar sprite cut to the value, horizontally from the
// left or vertically from the bottom. Not a control.

#include "engine/framework/drawables/SSprite.h"

namespace TarnEngine {

class SProgressBar {
public:
    SProgressBar();
    virtual ~SProgressBar() = default;

    // Binds both sprites to the viewport.
    void Create(const boost::shared_ptr<SCore::SViewport>& viewport, bool vertical);
    // value in [0, 1].
    void SetValue(float value);
    float GetValue() const { return m_Value; }
    // Recomputes the bar from the background and the value.
    virtual void DoUpdate();
    // The background, then the bar.
    virtual void DoRender();

    SSprite m_Background;
    SSprite m_Bar;
    bool m_Vertical = false;

private:
    float m_Value = 0.0f;
};

} // namespace TarnEngine
