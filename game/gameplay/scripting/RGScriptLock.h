#pragma once
// The script lock: a process-wide recursive mutex plus the interpreter lock, held for the life of
// the object. Every script entry point holds one across binding, arguments, the call and the
// reading of results, so that shared argument tuples never interleave between threads. Nested
// holds on one thread are cheap and safe.

namespace Runegarden {

class RGScriptLock {
public:
    RGScriptLock();
    ~RGScriptLock();
    RGScriptLock(const RGScriptLock&) = delete;
    RGScriptLock& operator=(const RGScriptLock&) = delete;

private:
    int m_GilState;
};

} // namespace Runegarden
