#include "engine/framework/threads/SThread.h"

#include "engine/core/base/SEngineException.h"

namespace TarnEngine {

static const char* const kTarnSource = "Src\\SThread";

SThread::~SThread()
{
    Join();
}

void SThread::Start()
{
    TARN_TRY
    if (m_Handle != 0) throw SEngineException("thread is already started");
    m_Handle = _beginthreadex(nullptr, 0, &SThread::ThreadProc, this, 0, &m_ThreadId);
    if (m_Handle == 0) throw SEngineException("can't start thread");
    m_Priority = GetThreadPriority(reinterpret_cast<HANDLE>(m_Handle));
    TARN_CATCH("SThread::Start()")
}

void SThread::Join()
{
    if (m_Handle == 0 || GetCurrentThreadId() == m_ThreadId) return;
    HANDLE handle = reinterpret_cast<HANDLE>(m_Handle);
    WaitForSingleObject(handle, INFINITE);
    CloseHandle(handle);
    m_Handle = 0;
}

unsigned SThread::ThreadProc(void* thread)
{
    static_cast<SThread*>(thread)->Run();
    return 0;
}

} // namespace TarnEngine
