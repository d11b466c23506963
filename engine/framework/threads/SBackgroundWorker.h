#pragma once
// Runs a job once on its own thread, then the done event. A failure of the job is logged and
// recorded, and the done event then does not run; showing it is left to whoever joins the worker,
// so that the player is told once.

#include "engine/framework/threads/IUIEvent.h"
#include "engine/framework/threads/SThread.h"

#include <atomic>
#include <boost/shared_ptr.hpp>
#include <mutex>
#include <string>

namespace TarnEngine {

class SBackgroundWorker : public SThread {
public:
    ~SBackgroundWorker() override;

    void SetJob(const boost::shared_ptr<UI::IUIEvent>& job) { m_Job = job; }
    void SetDoneEvent(const boost::shared_ptr<UI::IUIEvent>& done) { m_DoneEvent = done; }

    bool HasFailed() const { return m_Failed.load(std::memory_order_acquire); }
    std::string GetFailureText() const;

protected:
    void Run() override;

private:
    void Fail(const std::string& text);

    boost::shared_ptr<UI::IUIEvent> m_Job;
    boost::shared_ptr<UI::IUIEvent> m_DoneEvent;
    std::atomic<bool> m_Failed{false};
    mutable std::mutex m_FailureMutex;
    std::string m_FailureText;
};

} // namespace TarnEngine
