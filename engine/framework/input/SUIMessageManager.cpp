#include "engine/framework/input/SUIMessageManager.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"

#include <algorithm>
#include <exception>
#include <string>

namespace TarnEngine {
namespace UI {

namespace {

void LogHandlerFailure(const std::string& text)
{
    gLoger << SCore::GetCurrentDateTime() << ("exception in SInputMessager:" + text + "\n");
}

} // namespace

SUIMessageManager::SUIMessageManager(const boost::shared_ptr<SCore::SInput>& input) : m_Input(input) {}

void SUIMessageManager::AddReceiver(const boost::shared_ptr<SUIControl>& receiver)
{
    CriticalSectionLock lock(m_Lock.Section());
    m_Receivers.push_back(receiver);
}

void SUIMessageManager::RemoveReceiver(const boost::shared_ptr<SUIControl>& receiver)
{
    CriticalSectionLock lock(m_Lock.Section());
    m_Receivers.erase(std::remove(m_Receivers.begin(), m_Receivers.end(), receiver), m_Receivers.end());
}

std::vector<boost::shared_ptr<SUIControl>> SUIMessageManager::Receivers()
{
    CriticalSectionLock lock(m_Lock.Section());
    return m_Receivers;
}

void SUIMessageManager::PushKeyDown(uint8_t code)
{
    CriticalSectionLock lock(m_Lock.Section());
    m_KeyDown.push_back(code);
}

void SUIMessageManager::PushKeyUp(uint8_t code)
{
    CriticalSectionLock lock(m_Lock.Section());
    m_KeyUp.push_back(code);
}

void SUIMessageManager::PushChar(uint8_t code)
{
    CriticalSectionLock lock(m_Lock.Section());
    m_Chars.push_back(code);
}

// One handler's failure is logged and the event goes on to the next receiver.
template <class Event>
void SUIMessageManager::Send(const Event& event, void (SUIControl::*handler)(const Event&), bool enabledOnly)
{
    for (const boost::shared_ptr<SUIControl>& receiver : Receivers()) {
        if (enabledOnly && !receiver->IsEnabled()) continue;
        try {
            ((*receiver).*handler)(event);
        } catch (const std::exception& e) {
            LogHandlerFailure(e.what());
        } catch (...) {
            LogHandlerFailure("unhandled exception");
        }
    }
}

void SUIMessageManager::SendMouseMove(const SUIInputMouseMoveEvent& e) { Send(e, &SUIControl::DoMouseMoveEvent, false); }
void SUIMessageManager::SendMouseDown(const SUIInputMouseDownEvent& e) { Send(e, &SUIControl::DoMouseDownEvent, true); }
void SUIMessageManager::SendMouseUp(const SUIInputMouseUpEvent& e) { Send(e, &SUIControl::DoMouseUpEvent, true); }
void SUIMessageManager::SendKeyDown(const SUIInputKeyDownEvent& e) { Send(e, &SUIControl::DoKeyDownEvent, true); }
void SUIMessageManager::SendKeyUp(const SUIInputKeyUpEvent& e) { Send(e, &SUIControl::DoKeyUpEvent, true); }
void SUIMessageManager::SendChar(const SUIInputCharEvent& e) { Send(e, &SUIControl::DoCharEvent, true); }

void SUIMessageManager::Process()
{
    m_Input->Update();

    POINT cursor{};
    GetCursorPos(&cursor);
    WINDOWINFO info{};
    info.cbSize = sizeof(info);
    GetWindowInfo(m_Input->GetWindow(), &info);
    const int32_t x = cursor.x - info.rcClient.left;
    const int32_t y = cursor.y - info.rcClient.top;

    if (x != m_LastX || y != m_LastY) SendMouseMove(SUIInputMouseMoveEvent(x, y));

    boost::shared_ptr<SCore::SMouse> mouse = m_Input->GetMouse();
    if (mouse && mouse->IsPressed(0)) {
        if (!m_ButtonDown) {
            SendMouseDown(SUIInputMouseDownEvent(x, y));
            m_ButtonDown = true;
        }
        // Held: keys wait and the last position stays the one before the press.
        return;
    }
    SendMouseUp(SUIInputMouseUpEvent(x, y));
    m_ButtonDown = false;

    {
        // Key handlers run under the queue lock; none of them calls the producers.
        CriticalSectionLock lock(m_Lock.Section());
        while (!m_KeyDown.empty()) {
            const uint8_t code = m_KeyDown.front();
            m_KeyDown.pop_front();
            SendKeyDown(SUIInputKeyDownEvent(code));
        }
        while (!m_KeyUp.empty()) {
            const uint8_t code = m_KeyUp.front();
            m_KeyUp.pop_front();
            SendKeyUp(SUIInputKeyUpEvent(code));
        }
        while (!m_Chars.empty()) {
            const uint8_t code = m_Chars.front();
            m_Chars.pop_front();
            SendChar(SUIInputCharEvent(code));
        }
    }
    m_LastX = x;
    m_LastY = y;
}

} // namespace UI
} // namespace TarnEngine
