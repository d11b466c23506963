#include "game/gameplay/scripting/RGPythonObject.h"

#include "game/gameplay/scripting/RGPythonError.h"
#include "game/gameplay/scripting/RGPythonInterpreter.h"
#include "game/gameplay/scripting/RGPythonTuple.h"
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
PyObject* MethodKey(const std::string& name)
{
    static std::unordered_map<std::string, PyObject*>* keys = new std::unordered_map<std::string, PyObject*>;
    PyObject*& key = (*keys)[name];
    if (!key) key = PyUnicode_InternFromString(name.c_str());
    return key;
}

} // namespace

RGPythonObject::RGPythonObject(const boost::shared_ptr<RGPythonInterpreter>& interpreter,
                               const std::string& className, const RGPythonHandle& instance)
    : m_Interpreter(interpreter), m_Instance(instance), m_ClassName(className)
{
}

RGPythonObject::~RGPythonObject()
{
    m_Instance.Reset();
    m_Method.Reset();
    m_Arguments.Reset();
}

RGPythonResult RGPythonObject::GetPropertyValue(const RGPythonHandle& key)
{
    TARN_TRY
    RGScriptLock lock;
    PyObject* value = (m_Instance && key) ? PyObject_GetAttr(m_Instance.Get(), key.Get()) : nullptr;
    if (!value) {
        LogPythonError(m_ClassName + "." + key.Text());
        throw SEngineException("property [" + key.Text() + "] is not a property name of class name[" + m_ClassName +
                               "] module [" + m_Interpreter->GetModuleName() + "]");
    }
    return RGPythonResult(RGPythonHandle::Steal(value));
    TARN_CATCH("RGPythonObject::GetPropertyValue()")
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
    m_Method.Reset();
    m_Arguments.Reset();
    m_MethodName = name;
    PyObject* key = MethodKey(name);
    RGPythonHandle method = RGPythonHandle::Steal((m_Instance && key) ? PyObject_GetAttr(m_Instance.Get(), key) : nullptr);
    if (!method) {
        LogPythonError(m_ClassName + "." + name);
        throw SEngineException("method [" + name + "] is not a method name of module [" +
                               m_Interpreter->GetModuleName() + "]");
    }
    RGPythonHandle arguments = NewArgumentTuple(argumentCount, name);
    if (!arguments) throw SEngineException("can't create arguments for [" + name + "]");
    m_Method = method;
    m_Arguments = arguments;
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
    if (!StoreArgument(m_Arguments, index, value, m_MethodName))
        throw SEngineException("can't set value:" + value.Text());
    TARN_CATCH("RGPythonObject::SetArgumentValue()")
}

RGPythonResult RGPythonObject::CreateObject()
{
    TARN_TRY
    RGScriptLock lock;
    if (!m_Method || !m_Arguments)
        throw SEngineException("no method is bound for class name[" + m_ClassName + "]");
    const int unset = FirstUnsetArgument(m_Arguments);
    if (unset >= 0)
        throw SEngineException("argument [" + std::to_string(unset) + "] is not set for [" + m_MethodName + "]");
    RGPythonHandle method, arguments;
    std::swap(method, m_Method); // the binding serves this one call
    std::swap(arguments, m_Arguments);
    RGPythonHandle result = RGPythonHandle::Steal(PyObject_CallObject(method.Get(), arguments.Get()));
    if ((PyErr_Occurred() && LogPythonError(m_ClassName + "." + m_MethodName)) || !result)
        throw SEngineException("can't return result from method[" + m_MethodName + "] result." + " module [" +
                               m_Interpreter->GetModuleName() + "]");
    return RGPythonResult(result);
    TARN_CATCH("RGPythonObject::CreateObject()")
}

} // namespace Runegarden
