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

// How many script locks this thread holds; only the outermost one takes and leaves the locks.
thread_local int t_Depth = 0;

} // namespace

RGScriptLock::RGScriptLock() : m_GilState(0)
{
    if (t_Depth++ > 0) return;
    // A wrapper used before start-up (tools, tests) starts the interpreter itself.
    if (!Py_IsInitialized()) StartPythonInterpreter();
    ScriptMutex().lock();
    m_GilState = static_cast<int>(PyGILState_Ensure());
}

RGScriptLock::~RGScriptLock()
{
    if (--t_Depth > 0) return;
    PyGILState_Release(static_cast<PyGILState_STATE>(m_GilState));
    ScriptMutex().unlock();
}

} // namespace Runegarden
