#include "game/gameplay/scripting/RGPythonHandle.h"

#include "game/gameplay/scripting/RGPythonError.h"
#include "game/gameplay/scripting/RGPythonStartup.h"
#include "game/gameplay/scripting/RGScriptLock.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <utility>

namespace Runegarden {

namespace {

RGPythonHandle Converted(PyObject* object, const char* what)
{
    if (!object) LogPythonError(what);
    return RGPythonHandle::Steal(object);
}

} // namespace

RGPythonHandle::RGPythonHandle(const RGPythonHandle& other) : m_Object(other.m_Object)
{
    if (m_Object) {
        RGScriptLock lock;
        Py_INCREF(m_Object);
    }
}

RGPythonHandle::RGPythonHandle(RGPythonHandle&& other) noexcept : m_Object(other.m_Object)
{
    other.m_Object = nullptr;
}

RGPythonHandle& RGPythonHandle::operator=(RGPythonHandle other) noexcept
{
    std::swap(m_Object, other.m_Object);
    return *this;
}

RGPythonHandle RGPythonHandle::Steal(PyObject* object)
{
    RGPythonHandle handle;
    handle.m_Object = object;
    return handle;
}

RGPythonHandle RGPythonHandle::Borrow(PyObject* object)
{
    if (object) {
        RGScriptLock lock;
        Py_INCREF(object);
    }
    return Steal(object);
}

RGPythonHandle RGPythonHandle::FromString(const std::string& text)
{
    RGScriptLock lock;
    return Converted(PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size())),
                     "str conversion");
}

RGPythonHandle RGPythonHandle::FromName(const std::string& name)
{
    RGScriptLock lock;
    return Converted(PyUnicode_InternFromString(name.c_str()), "str conversion");
}

RGPythonHandle RGPythonHandle::FromSizeT(uint32_t value)
{
    RGScriptLock lock;
    return Converted(PyLong_FromSize_t(value), "int conversion");
}

RGPythonHandle RGPythonHandle::FromLong(int32_t value)
{
    RGScriptLock lock;
    return Converted(PyLong_FromLong(value), "int conversion");
}

RGPythonHandle RGPythonHandle::FromDouble(double value)
{
    RGScriptLock lock;
    return Converted(PyFloat_FromDouble(value), "float conversion");
}

RGPythonHandle RGPythonHandle::FromBoolean(bool value)
{
    RGScriptLock lock;
    return Converted(PyBool_FromLong(value ? 1 : 0), "bool conversion");
}

PyObject* RGPythonHandle::Release()
{
    PyObject* object = m_Object;
    m_Object = nullptr;
    return object;
}

void RGPythonHandle::Reset()
{
    if (!m_Object) return;
    // The finalised interpreter freed every object: a handle kept past it (a cached key) lets go.
    if (PythonInterpreterEnded()) {
        m_Object = nullptr;
        return;
    }
    RGScriptLock lock;
    Py_DECREF(m_Object);
    m_Object = nullptr;
}

std::string RGPythonHandle::Text() const
{
    if (!m_Object) return "NULL";
    RGScriptLock lock;
    std::string out;
    PyObject* text = PyObject_Str(m_Object);
    const char* utf8 = text ? PyUnicode_AsUTF8(text) : nullptr;
    if (utf8) out = utf8;
    Py_XDECREF(text);
    if (!utf8) LogPythonError("text of a value");
    return out;
}

} // namespace Runegarden
