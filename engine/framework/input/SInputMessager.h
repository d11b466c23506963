#pragma once
// The input thread: every 50 ms one pass of the message manager, under the UI mutex, so every
// UI control callback runs here. Its owner stops and joins it; the destructor does both.

#include "engine/core/input/SInput.h"
#include "engine/core/render/SViewport.h"
#include "engine/framework/threads/SThread.h"
#include "engine/framework/input/SUIMessageManager.h"

#include <atomic>
#include <boost/shared_ptr.hpp>

namespace TarnEngine {

class SInputMessager : public SThread {
public:
    SInputMessager() = default;
    ~SInputMessager() override;

    // Takes the viewport's input system and makes the message manager over it.
    void Init(const boost::shared_ptr<SCore::SViewport>& viewport);
    void AddReceiver(const boost::shared_ptr<UI::SUIControl>& receiver);
    const boost::shared_ptr<UI::SUIMessageManager>& GetMessageManager() const { return m_MessageManager; }

    // Ends the loop within one period.
    void Stop() { m_Stop.store(1, std::memory_order_release); }
    bool IsRunning() const { return m_Running.load(std::memory_order_acquire) != 0; }

protected:
    void Run() override;

private:
    std::atomic<int> m_Stop{0};
    std::atomic<int> m_Running{0};
    boost::shared_ptr<SCore::SInput> m_Input;
    boost::shared_ptr<UI::SUIMessageManager> m_MessageManager;
};

} // namespace TarnEngine
