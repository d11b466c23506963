#include "game/gameplay/scripting/RGPythonTuple.h"

#include "game/gameplay/scripting/RGPythonError.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

namespace Runegarden {

RGPythonHandle NewArgumentTuple(unsigned count, const std::string& owner)
{
    RGPythonHandle tuple = RGPythonHandle::Steal(PyTuple_New(static_cast<Py_ssize_t>(count)));
    if (!tuple) LogPythonError(owner);
    return tuple;
}

bool StoreArgument(RGPythonHandle& tuple, unsigned index, const RGPythonHandle& value, const std::string& owner)
{
    if (!tuple || static_cast<Py_ssize_t>(index) >= PyTuple_GET_SIZE(tuple.Get())) {
        PyErr_SetString(PyExc_IndexError, "tuple assignment index out of range");
        LogPythonError(owner);
        return false;
    }
    if (Py_REFCNT(tuple.Get()) != 1) {
        const Py_ssize_t count = PyTuple_GET_SIZE(tuple.Get());
        RGPythonHandle copy = NewArgumentTuple(static_cast<unsigned>(count), owner);
        if (!copy) return false;
        for (Py_ssize_t i = 0; i < count; ++i) {
            PyObject* item = PyTuple_GET_ITEM(tuple.Get(), i);
            Py_XINCREF(item);
            PyTuple_SET_ITEM(copy.Get(), i, item);
        }
        tuple = copy;
    }
    PyObject* slot = PyTuple_GET_ITEM(tuple.Get(), index);
    Py_INCREF(value.Get());
    PyTuple_SET_ITEM(tuple.Get(), index, value.Get());
    Py_XDECREF(slot);
    return true;
}

int FirstUnsetArgument(const RGPythonHandle& tuple)
{
    const Py_ssize_t count = PyTuple_GET_SIZE(tuple.Get());
    for (Py_ssize_t i = 0; i < count; ++i)
        if (!PyTuple_GET_ITEM(tuple.Get(), i)) return static_cast<int>(i);
    return -1;
}

} // namespace Runegarden
