#include "game/gameplay/scripting/RGPythonStartup.h"

#include "game/gameplay/scripting/RGScriptLock.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

namespace Runegarden {

namespace {

std::mutex& StartupMutex()
{
    static std::mutex* mutex = new std::mutex;
    return *mutex;
}

// Never destroyed: wrappers may go while statics are torn down at exit.
struct InterpreterLife {
    // Written once by the start, read only by the starting thread: finalising happens there.
    std::thread::id starter;
    PyThreadState* starterState = nullptr; // the starting thread's state, parked while it runs no script
    std::atomic<int> wrappers{0};
    std::atomic<bool> endRequested{false};
    std::atomic<bool> ended{false};
};

InterpreterLife& Life()
{
    static InterpreterLife* life = new InterpreterLife;
    return *life;
}

// Puts the folder at the front of sys.path unless it is already there. Holds the GIL.
void PrependToPath(const std::string& folder)
{
    PyObject* path = PySys_GetObject("path"); // borrowed
    PyObject* entry = PyUnicode_FromString(folder.c_str());
    if (path && entry && PyList_Check(path)) {
        const int found = PySequence_Contains(path, entry);
        if (found == 0) PyList_Insert(path, 0, entry);
    }
    Py_XDECREF(entry);
    PyErr_Clear();
}

void FinaliseWhenUnused()
{
    InterpreterLife& life = Life();
    if (!life.endRequested || life.ended || life.wrappers > 0 || !life.starterState) return;
    if (std::this_thread::get_id() != life.starter || RGScriptLock::IsHeldByThisThread()) return;
    if (!RGScriptLock::TryLockMutex()) return;
    if (!life.ended && life.wrappers == 0) {
        PyEval_RestoreThread(life.starterState);
        Py_FinalizeEx();
        life.starterState = nullptr;
        life.ended = true;
    }
    RGScriptLock::UnlockMutex();
}

} // namespace

void StartPythonInterpreter()
{
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    const std::string scripts = (cwd / "scripts").string();
    if (!std::getenv("PYTHONPATH")) ::setenv("PYTHONPATH", scripts.c_str(), 0);
    StartPythonInterpreter(scripts);
}

void StartPythonInterpreter(const std::string& scriptsFolder)
{
    std::lock_guard<std::mutex> guard(StartupMutex());
    InterpreterLife& life = Life();
    if (life.ended) return;
    if (!Py_IsInitialized()) {
        Py_InitializeEx(0);
        PrependToPath(scriptsFolder);
        life.starter = std::this_thread::get_id();
        // From here on every script entry point takes the interpreter lock for itself.
        life.starterState = PyEval_SaveThread();
        return;
    }
    PyGILState_STATE state = PyGILState_Ensure();
    PrependToPath(scriptsFolder);
    PyGILState_Release(state);
}

void EndPythonInterpreter()
{
    Life().endRequested = true;
    FinaliseWhenUnused();
}

bool PythonInterpreterEnded() { return Life().ended; }

void HoldPythonInterpreter() { ++Life().wrappers; }

void ReleasePythonInterpreter()
{
    if (--Life().wrappers == 0) FinaliseWhenUnused();
}

} // namespace Runegarden
