#pragma once
// Turns the input state into UI events once per input pass: the pointer from the system cursor,
// the first button from the input system's mouse, and the key and character bytes the window
// thread queued. Mouse-down is edge-triggered, mouse-up level-triggered; while the button is
// held the key queues wait.

#include "engine/core/input/SInput.h"
#include "engine/framework/threads/SLockGuard.h"
#include "engine/framework/ui/SUIControl.h"

#include <boost/shared_ptr.hpp>
#include <cstdint>
#include <deque>
#include <vector>

namespace TarnEngine {
namespace UI {

class SUIMessageManager {
public:
    explicit SUIMessageManager(const boost::shared_ptr<SCore::SInput>& input);
    virtual ~SUIMessageManager() = default;

    // Both take the queue lock, so controls may come and go while passes run.
    void AddReceiver(const boost::shared_ptr<SUIControl>& receiver);
    void RemoveReceiver(const boost::shared_ptr<SUIControl>& receiver);

    // Producers (window thread): append one byte under the lock.
    void PushKeyDown(uint8_t code);
    void PushKeyUp(uint8_t code);
    void PushChar(uint8_t code);

    // One input pass (input thread).
    void Process();

    // Each over the receivers in registration order; all but the move skip disabled ones.
    void SendMouseMove(const SUIInputMouseMoveEvent& event);
    void SendMouseDown(const SUIInputMouseDownEvent& event);
    void SendMouseUp(const SUIInputMouseUpEvent& event);
    void SendKeyDown(const SUIInputKeyDownEvent& event);
    void SendKeyUp(const SUIInputKeyUpEvent& event);
    void SendChar(const SUIInputCharEvent& event);

private:
    std::vector<boost::shared_ptr<SUIControl>> Receivers();
    template <class Event>
    void Send(const Event& event, void (SUIControl::*handler)(const Event&), bool enabledOnly);

    boost::shared_ptr<SCore::SInput> m_Input;
    std::vector<boost::shared_ptr<SUIControl>> m_Receivers;
    std::deque<uint8_t> m_KeyDown;
    std::deque<uint8_t> m_KeyUp;
    std::deque<uint8_t> m_Chars;
    SLockGuard m_Lock;
    int32_t m_LastX = 0;
    int32_t m_LastY = 0;
    bool m_ButtonDown = false;
};

} // namespace UI
} // namespace TarnEngine
