#include "game/gameplay/scripting/RGPythonError.h"

#include "engine/core/base/SLoger.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

namespace Runegarden {

namespace {

std::string ToText(PyObject* object)
{
    if (!object) return "";
    PyObject* text = PyObject_Str(object);
    std::string out;
    if (text) {
        const char* utf8 = PyUnicode_AsUTF8(text);
        if (utf8) out = utf8;
        Py_DECREF(text);
    }
    PyErr_Clear();
    return out;
}

// "Traceback ... Error: text" as the interpreter prints it; the plain value when that fails.
std::string FormatError(PyObject* type, PyObject* value, PyObject* traceback)
{
    std::string out;
    PyObject* module = PyImport_ImportModule("traceback");
    if (module) {
        PyObject* lines = PyObject_CallMethod(module, "format_exception", "OOO", type,
                                              value ? value : Py_None, traceback ? traceback : Py_None);
        if (lines) {
            PyObject* joined = PyUnicode_Join(nullptr, lines);
            out = ToText(joined);
            Py_XDECREF(joined);
            Py_DECREF(lines);
        }
        Py_DECREF(module);
    }
    PyErr_Clear();
    if (out.empty()) out = ToText(type) + ": " + ToText(value);
    return out;
}

} // namespace

bool LogPythonError(const std::string& context)
{
    if (!PyErr_Occurred()) return false;
    PyObject *type = nullptr, *value = nullptr, *traceback = nullptr;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    const std::string text = FormatError(type, value, traceback);
    Py_XDECREF(type);
    Py_XDECREF(value);
    Py_XDECREF(traceback);
    PyErr_Clear();
    // One stamped entry, written in one insertion so that other threads' entries stay apart.
    std::string entry = SCore::GetCurrentDateTime() + " Python error in " + context + ":\n" + text;
    if (entry.back() != '\n') entry += "\n";
    gLoger << entry;
    return true;
}

} // namespace Runegarden
