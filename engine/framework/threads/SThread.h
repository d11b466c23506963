#pragma once
// A thread with a virtual body. The owner starts it and joins it before anything the body uses
// is destroyed; the destructor joins too, as a last resort, but by then a derived part of the
// object is already gone, so owners must not rely on it.

#include "platform/win32.h"

#include <cstdint>

namespace TarnEngine {

class SThread {
public:
    SThread() = default;
    virtual ~SThread();
    SThread(const SThread&) = delete;
    SThread& operator=(const SThread&) = delete;

    // Starts Run on a new thread. Throws SEngineException "can't start thread" when the system
    // refuses.
    void Start();
    // Waits for Run to return and releases the thread. Does nothing when not started, or when
    // called from the thread itself.
    void Join();
    bool IsStarted() const { return m_Handle != 0; }

    static unsigned ThreadProc(void* thread);

protected:
    virtual void Run() = 0;

    unsigned m_ThreadId = 0;
    uintptr_t m_Handle = 0;
    int m_Priority = 0;
};

} // namespace TarnEngine
