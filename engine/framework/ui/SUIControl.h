#pragma once
// The base of the UI toolkit's controls and the receiving side of UI input: the input thread
// calls the ...Event operations of every registered control. Positions are fractions of the
// viewport; the base turns pointer events from client pixels into fractions, hit-tests them and
// keeps the control's state (0 normal, 1 pointer over, 2 pressed).

#include "engine/framework/threads/IUIEvent.h"
#include "engine/framework/ui/SUIInputEvents.h"

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <cstdint>
#include <string>

namespace SCore {
class SViewport;
}

namespace TarnEngine {
class SSprite;

namespace UI {

enum SUIControlState : int32_t {
    SUICS_NORMAL = 0,
    SUICS_OVER = 1,
    SUICS_PRESSED = 2,
};

class SUIControl {
public:
    virtual ~SUIControl() = default;

    // Disabled controls still get pointer moves, but no down, up, key or character events.
    bool IsEnabled() const { return m_Enabled.load(std::memory_order_acquire); }
    void SetEnabled(bool enabled) { m_Enabled.store(enabled, std::memory_order_release); }
    bool IsHidden() const { return m_Hidden.load(std::memory_order_acquire); }
    void SetHidden(bool hidden) { m_Hidden.store(hidden, std::memory_order_release); }
    int32_t GetState() const { return m_State.load(std::memory_order_acquire); }
    // The pixel conversion reads the render device's size through it; a control without one
    // ignores pointer events.
    void SetViewport(const boost::shared_ptr<SCore::SViewport>& viewport) { m_Viewport = viewport; }
    const boost::shared_ptr<SCore::SViewport>& GetViewport() const { return m_Viewport; }

    virtual bool DoHitTest(float x, float y) { return false; }
    // The pointer is over the control (a pointer-move or mouse-up event hit it).
    virtual void DoMouseOver() {}
    virtual void DoKillFocus() {}
    // A mouse-down hit the enabled control.
    virtual void DoMouseDown(float x, float y) {}
    // An event missed the control.
    virtual void DoMouseOut() {}
    // Draws offset by the parent's position.
    virtual void DoRender(float x, float y) {}
    virtual void DoKeyDown(uint32_t code) {}
    virtual void DoKeyUp(uint32_t code) {}
    virtual void DoChar(uint32_t code) {}

    virtual void DoCharEvent(const SUIInputCharEvent& event);
    virtual void DoKeyUpEvent(const SUIInputKeyUpEvent& event);
    virtual void DoKeyDownEvent(const SUIInputKeyDownEvent& event);
    virtual void DoMouseUpEvent(const SUIInputMouseUpEvent& event);
    virtual void DoMouseMoveEvent(const SUIInputMouseMoveEvent& event);
    virtual void DoMouseDownEvent(const SUIInputMouseDownEvent& event);

    std::string m_Name;

protected:
    // Client pixels to viewport fractions, both taken as unsigned: a pointer left of or above
    // the client area gives a huge fraction that hits nothing. False without a viewport.
    bool ToFraction(int32_t px, int32_t py, float& x, float& y) const;
    void PointerAt(int32_t px, int32_t py);
    void PressAt(int32_t px, int32_t py);
    // The rectangle rule of forms, buttons, check boxes and track bars: edges included.
    static bool InsideRect(float x, float y, float rx, float ry, float rw, float rh)
    {
        return x >= rx && x <= rx + rw && y >= ry && y <= ry + rh;
    }
    // What buttons and check boxes do when the pointer is over them: the first pointer-over
    // after a press clicks, and the focus event fires once per entry.
    static void FireClickAndFocus(std::atomic<bool>& pressed, std::atomic<bool>& focusFired,
                                  const boost::shared_ptr<IUIEvent>& click, const boost::shared_ptr<IUIEvent>& focus);
    // Draws a sprite slot when it holds a visible sprite; empty slots are skipped.
    static void DrawSprite(const boost::shared_ptr<SSprite>& sprite);
    // Places a sprite slot's rectangle, if the slot holds a sprite.
    static void PlaceSprite(const boost::shared_ptr<SSprite>& sprite, float x, float y, float w, float h);

    std::atomic<int32_t> m_State{SUICS_NORMAL};
    boost::shared_ptr<SCore::SViewport> m_Viewport;
    std::atomic<bool> m_Hidden{false};
    std::atomic<bool> m_Enabled{true};
};

} // namespace UI
} // namespace TarnEngine
