#include "game/gameplay/scripting/RGPythonObject.h"

#include "game/gameplay/scripting/RGPythonError.h"
#include "game/gameplay/scripting/RGPythonInterpreter.h"
#include "game/gameplay/scripting/RGScriptLock.h"

#include "engine/core/base/SEngineException.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <unordered_map>
#include <utility>

static const char* const kTarnSource = "..\\Src\\RGPythonObject";

using TarnEngine::SEngineException;

namespace Runegarden {

namespace {

// Method names as interned str objects, made once per name: objects look their methods up by
// name every frame. Used with the script lock held.
const RGPythonHandle& MethodKey(const std::string& name)
{
    static std::unordered_map<std::string, RGPythonHandle>* keys = new std::unordered_map<std::string, RGPythonHandle>;
    RGPythonHandle& key = (*keys)[name];
    if (!key) key = RGPythonHandle::FromName(name);
    return key;
}

// The attribute as a bound-method lookup would find it, without making the bound method: true
// when *found is the class's function, to be called with the instance first.
bool FindMethod(PyObject* instance, PyObject* name, PyObject** found)
{
#if PY_VERSION_HEX < 0x030D0000
    *found = nullptr;
    return _PyObject_GetMethod(instance, name, found) == 1;
#else
    *found = PyObject_GetAttr(instance, name);
    return false;
#endif
}

} // namespace

RGPythonObject::RGPythonObject(const boost::shared_ptr<RGPythonInterpreter>& interpreter,
                               const std::string& className, const RGPythonHandle& instance)
    : m_Interpreter(interpreter), m_Instance(instance), m_ClassName(className)
{
}

RGPythonObject::~RGPythonObject()
{
    RGScriptLock lock;
    ReleaseCall();
    m_Instance.Reset();
}

void RGPythonObject::ReleaseCall()
{
    for (PyObject* slot : m_Slots) Py_XDECREF(slot);
    m_Slots.clear();
    m_Method.Reset();
    m_Unbound = false;
}

PyObject* RGPythonObject::GetAttribute(const RGPythonHandle& key)
{
    PyObject* value = (m_Instance && key) ? PyObject_GetAttr(m_Instance.Get(), key.Get()) : nullptr;
    if (!value) {
        LogPythonError(m_ClassName + "." + key.Text());
        throw SEngineException("property [" + key.Text() + "] is not a property name of class name[" + m_ClassName +
                               "] module [" + m_Interpreter->GetModuleName() + "]");
    }
    return value;
}

RGPythonResult RGPythonObject::GetPropertyValue(const RGPythonHandle& key)
{
    TARN_TRY
    RGScriptLock lock;
    return RGPythonResult(RGPythonHandle::Steal(GetAttribute(key)));
    TARN_CATCH("RGPythonObject::GetPropertyValue()")
}

void RGPythonObject::GetPropertyDoubles(const RGPythonHandle* const keys[], unsigned count, double values[])
{
    TARN_TRY
    RGScriptLock lock;
    for (unsigned i = 0; i < count; ++i) {
        PyObject* value = GetAttribute(*keys[i]);
        values[i] = RGPythonResult::AsDouble(value);
        Py_DECREF(value);
    }
    TARN_CATCH("RGPythonObject::GetPropertyDoubles()")
}

void RGPythonObject::SetPropertyValueLong(const RGPythonHandle& key, int32_t value)
{
    TARN_TRY
    SetPropertyValue(key, RGPythonHandle::FromLong(value));
    TARN_CATCH("RGPythonObject::SetPropertyValueLong()")
}

void RGPythonObject::SetPropertyValueSizeT(const RGPythonHandle& key, uint32_t value)
{
    TARN_TRY
    SetPropertyValue(key, RGPythonHandle::FromSizeT(value));
    TARN_CATCH("RGPythonObject::SetPropertyValueSizeT()")
}

void RGPythonObject::SetPropertyValueDouble(const RGPythonHandle& key, double value)
{
    TARN_TRY
    SetPropertyValue(key, RGPythonHandle::FromDouble(value));
    TARN_CATCH("RGPythonObject::SetPropertyValueDouble()")
}

void RGPythonObject::SetPropertyValueString(const RGPythonHandle& key, const std::string& value)
{
    TARN_TRY
    SetPropertyValue(key, RGPythonHandle::FromString(value));
    TARN_CATCH("RGPythonObject::SetPropertyValueString()")
}

void RGPythonObject::SetPropertyValueBoolean(const RGPythonHandle& key, bool value)
{
    TARN_TRY
    SetPropertyValue(key, RGPythonHandle::FromBoolean(value));
    TARN_CATCH("RGPythonObject::SetPropertyValueBoolean()")
}

void RGPythonObject::SetPropertyValue(const RGPythonHandle& key, const RGPythonHandle& value)
{
    TARN_TRY
    // A null value would delete the attribute.
    if (!value) throw SEngineException("can't cast to PyXXX value:" + value.Text());
    RGScriptLock lock;
    if (!m_Instance || !key || PyObject_SetAttr(m_Instance.Get(), key.Get(), value.Get()) == -1) {
        LogPythonError(m_ClassName + "." + key.Text());
        throw SEngineException("can't set value to property[" + key.Text() + "]. class name[" + m_ClassName +
                               "]. module name[" + m_Interpreter->GetModuleName() + "]");
    }
    TARN_CATCH("RGPythonObject::SetPropertyValue()")
}

void RGPythonObject::SetMethodName(const std::string& name, unsigned argumentCount)
{
    TARN_TRY
    RGScriptLock lock;
    SetMethodName(MethodKey(name), argumentCount);
    TARN_CATCH("RGPythonObject::SetMethodName()")
}

void RGPythonObject::SetMethodName(const RGPythonHandle& name, unsigned argumentCount)
{
    TARN_TRY
    RGScriptLock lock;
    ReleaseCall();
    m_MethodName = name;
    PyObject* found = nullptr;
    const bool unbound = m_Instance && name && FindMethod(m_Instance.Get(), name.Get(), &found);
    RGPythonHandle method = RGPythonHandle::Steal(found);
    if (!method) {
        const std::string text = name.Text();
        LogPythonError(m_ClassName + "." + text);
        throw SEngineException("method [" + text + "] is not a method name of module [" +
                               m_Interpreter->GetModuleName() + "]");
    }
    m_Slots.assign(argumentCount + 1, nullptr);
    if (unbound) {
        Py_INCREF(m_Instance.Get());
        m_Slots[0] = m_Instance.Get();
    }
    m_Method = method;
    m_Unbound = unbound;
    TARN_CATCH("RGPythonObject::SetMethodName()")
}

void RGPythonObject::SetArgumentValueInteger(int32_t value)
{
    TARN_TRY
    SetArgumentValue(1, RGPythonHandle::FromLong(value));
    TARN_CATCH("RGPythonObject::SetArgumentValueInteger()")
}

void RGPythonObject::SetArgumentValueDouble(unsigned index, double value)
{
    TARN_TRY
    SetArgumentValue(index, RGPythonHandle::FromDouble(value));
    TARN_CATCH("RGPythonObject::SetArgumentValueDouble()")
}

void RGPythonObject::SetArgumentValueString(const std::string& value)
{
    TARN_TRY
    SetArgumentValue(0, RGPythonHandle::FromString(value));
    TARN_CATCH("RGPythonObject::SetArgumentValueString()")
}

void RGPythonObject::SetArgumentValuePyObject(unsigned index, const RGPythonHandle& value)
{
    TARN_TRY
    SetArgumentValue(index, value);
    TARN_CATCH("RGPythonObject::SetArgumentValuePyObject()")
}

void RGPythonObject::SetArgumentValue(unsigned index, const RGPythonHandle& value)
{
    TARN_TRY
    if (!value) throw SEngineException("can't cast to PyXXX value:" + value.Text());
    RGScriptLock lock;
    const size_t slot = size_t(index) + 1;
    if (slot >= m_Slots.size()) {
        PyErr_SetString(PyExc_IndexError, "tuple assignment index out of range");
        LogPythonError(m_MethodName ? m_MethodName.Text() : std::string());
        throw SEngineException("can't set value:" + value.Text());
    }
    PyObject* old = m_Slots[slot];
    Py_INCREF(value.Get());
    m_Slots[slot] = value.Get();
    Py_XDECREF(old);
    TARN_CATCH("RGPythonObject::SetArgumentValue()")
}

RGPythonResult RGPythonObject::CreateObject()
{
    TARN_TRY
    RGScriptLock lock;
    if (!m_Method) throw SEngineException("no method is bound for class name[" + m_ClassName + "]");
    for (size_t slot = 1; slot < m_Slots.size(); ++slot)
        if (!m_Slots[slot])
            throw SEngineException("argument [" + std::to_string(slot - 1) + "] is not set for [" +
                                   m_MethodName.Text() + "]");
    // The binding serves this one call; taken out first, so that the object may be bound again
    // while the call runs.
    RGPythonHandle method;
    std::swap(method, m_Method);
    std::vector<PyObject*> slots;
    slots.swap(m_Slots);
    const bool unbound = m_Unbound;
    m_Unbound = false;
    const size_t count = slots.size() - 1;
    PyObject* raw = unbound ? PyObject_Vectorcall(method.Get(), slots.data(), count + 1, nullptr)
                            : PyObject_Vectorcall(method.Get(), slots.data() + 1,
                                                  count | PY_VECTORCALL_ARGUMENTS_OFFSET, nullptr);
    RGPythonHandle result = RGPythonHandle::Steal(raw);
    for (PyObject* slot : slots) Py_XDECREF(slot);
    slots.clear();
    if (m_Slots.empty()) m_Slots.swap(slots); // keeps the storage for the next call
    if ((PyErr_Occurred() && LogPythonError(m_ClassName + "." + m_MethodName.Text())) || !result)
        throw SEngineException("can't return result from method[" + m_MethodName.Text() + "] result." +
                               " module [" + m_Interpreter->GetModuleName() + "]");
    return RGPythonResult(result);
    TARN_CATCH("RGPythonObject::CreateObject()")
}

} // namespace Runegarden
