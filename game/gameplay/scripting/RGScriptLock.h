#pragma once
// The script lock: a process-wide recursive mutex plus the interpreter lock, held for the life of
// the object. Every script entry point holds one across binding, arguments, the call and the
// reading of results, so that prepared calls never interleave between threads. Nested
// holds on one thread only count, inline: the wrappers take thousands of them per world step.

namespace Runegarden {

class RGScriptLock {
public:
    RGScriptLock()
    {
        if (s_Depth++ == 0) Acquire();
    }
    ~RGScriptLock()
    {
        if (--s_Depth == 0) Release();
    }
    RGScriptLock(const RGScriptLock&) = delete;
    RGScriptLock& operator=(const RGScriptLock&) = delete;

    // For the interpreter's end: whether this thread is inside script work, and the process-wide
    // mutex alone (without the interpreter lock), taken only when no other thread holds it.
    static bool IsHeldByThisThread() { return s_Depth > 0; }
    static bool TryLockMutex();
    static void UnlockMutex();

private:
    void Acquire();
    void Release();

    // How many script locks this thread holds; only the outermost one takes and leaves the locks.
    static inline thread_local int s_Depth = 0;
    // After the interpreter's end there is no interpreter lock left to take.
    static const int kNoGil = -1;
    int m_GilState = kNoGil;
};

} // namespace Runegarden
