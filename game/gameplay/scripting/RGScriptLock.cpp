#include "game/gameplay/scripting/RGScriptLock.h"

#include "game/gameplay/scripting/RGPythonStartup.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <mutex>

namespace Runegarden {

namespace {

// Never destroyed: script work may run while statics are torn down at exit.
std::recursive_mutex& ScriptMutex()
{
    static std::recursive_mutex* mutex = new std::recursive_mutex;
    return *mutex;
}

} // namespace

void RGScriptLock::Acquire()
{
    // A wrapper used before start-up (tools, tests) starts the interpreter itself; never after its end.
    if (!Py_IsInitialized()) StartPythonInterpreter();
    ScriptMutex().lock();
    m_GilState = PythonInterpreterEnded() ? kNoGil : static_cast<int>(PyGILState_Ensure());
}

void RGScriptLock::Release()
{
    if (m_GilState != kNoGil) PyGILState_Release(static_cast<PyGILState_STATE>(m_GilState));
    ScriptMutex().unlock();
}

bool RGScriptLock::TryLockMutex() { return ScriptMutex().try_lock(); }

void RGScriptLock::UnlockMutex() { ScriptMutex().unlock(); }

} // namespace Runegarden
