#include "game/gameplay/scripting/RGPythonStartup.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace Runegarden {

namespace {

std::mutex& StartupMutex()
{
    static std::mutex* mutex = new std::mutex;
    return *mutex;
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
    if (!Py_IsInitialized()) {
        Py_InitializeEx(0);
        PrependToPath(scriptsFolder);
        // From here on every script entry point takes the interpreter lock for itself.
        PyEval_SaveThread();
        return;
    }
    PyGILState_STATE state = PyGILState_Ensure();
    PrependToPath(scriptsFolder);
    PyGILState_Release(state);
}

} // namespace Runegarden
