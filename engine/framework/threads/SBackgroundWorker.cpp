#include "engine/framework/threads/SBackgroundWorker.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"

#include <exception>

namespace TarnEngine {

SBackgroundWorker::~SBackgroundWorker()
{
    Join();
    m_DoneEvent.reset();
    m_Job.reset();
}

std::string SBackgroundWorker::GetFailureText() const
{
    std::lock_guard<std::mutex> lock(m_FailureMutex);
    return m_FailureText;
}

void SBackgroundWorker::Fail(const std::string& text)
{
    {
        std::lock_guard<std::mutex> lock(m_FailureMutex);
        m_FailureText = text;
    }
    m_Failed.store(true, std::memory_order_release);
}

void SBackgroundWorker::Run()
{
    try {
        TARN_ASSERT(m_Job);
        m_Job->Invoke();
        if (m_DoneEvent) m_DoneEvent->Invoke();
    } catch (const SCore::TarnCoreException& e) {
        gLoger << SCore::GetCurrentDateTime() << (std::string("TarnCoreException:") + e.what() + "\n");
        Fail(e.what());
    } catch (const std::exception& e) {
        gLoger << SCore::GetCurrentDateTime() << (std::string("exception:") + e.what() + "\n");
        Fail(e.what());
    } catch (...) {
        gLoger << SCore::GetCurrentDateTime() << "unhandled exception\n";
        Fail("unhandled exception");
    }
}

} // namespace TarnEngine
