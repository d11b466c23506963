#pragma once
// The receiving side of UI input: what the input thread calls on every registered control.
// The toolkit's controls derive from it and override the events they handle.

#include "engine/framework/SUIInputEvents.h"

#include <atomic>

namespace TarnEngine {
namespace UI {

class SUIControl {
public:
    virtual ~SUIControl() = default;

    // Disabled controls still get pointer moves, but no down, up, key or character events.
    bool IsEnabled() const { return m_Enabled.load(std::memory_order_acquire); }
    void SetEnabled(bool enabled) { m_Enabled.store(enabled, std::memory_order_release); }

    virtual void DoCharEvent(const SUIInputCharEvent& event) {}
    virtual void DoKeyUpEvent(const SUIInputKeyUpEvent& event) {}
    virtual void DoKeyDownEvent(const SUIInputKeyDownEvent& event) {}
    virtual void DoMouseUpEvent(const SUIInputMouseUpEvent& event) {}
    virtual void DoMouseMoveEvent(const SUIInputMouseMoveEvent& event) {}
    virtual void DoMouseDownEvent(const SUIInputMouseDownEvent& event) {}

protected:
    std::atomic<bool> m_Enabled{true};
};

} // namespace UI
} // namespace TarnEngine
