#include "game/gameplay/scripting/RGPythonFunctor.h"

#include "game/gameplay/scripting/RGPythonError.h"
#include "game/gameplay/scripting/RGPythonInterpreter.h"
#include "game/gameplay/scripting/RGPythonTuple.h"
#include "game/gameplay/scripting/RGScriptLock.h"

#include "engine/core/base/SEngineException.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

static const char* const kTarnSource = "..\\Src\\RGPythonFunctor";

using TarnEngine::SEngineException;

namespace Runegarden {

RGPythonFunctor::RGPythonFunctor(const boost::shared_ptr<RGPythonInterpreter>& interpreter)
    : m_Interpreter(interpreter)
{
}

RGPythonFunctor::~RGPythonFunctor()
{
    m_Function.Reset();
    m_Arguments.Reset();
}

void RGPythonFunctor::SetFuncName(const std::string& name, unsigned argumentCount)
{
    TARN_TRY
    RGScriptLock lock;
    m_Function.Reset();
    m_Arguments.Reset();
    m_FuncName = name;
    RGPythonHandle function = m_Interpreter->GetModuleAttribute(name);
    if (!PyCallable_Check(function.Get()))
        throw SEngineException("the [" + name + "] is not a function name of module [" +
                               m_Interpreter->GetModuleName() + "]");
    RGPythonHandle arguments = NewArgumentTuple(argumentCount, name);
    if (!arguments) throw SEngineException("can't create arguments for [" + name + "]");
    m_Function = function;
    m_Arguments = arguments;
    TARN_CATCH("RGPythonFunctor::SetFuncName()")
}

void RGPythonFunctor::SetArgumentValueSizeT(unsigned index, uint32_t value)
{
    TARN_TRY
    SetArgumentValue(index, RGPythonHandle::FromSizeT(value));
    TARN_CATCH("RGPythonFunctor::SetArgumentValueSizeT()")
}

void RGPythonFunctor::SetArgumentValueDouble(unsigned index, double value)
{
    TARN_TRY
    SetArgumentValue(index, RGPythonHandle::FromDouble(value));
    TARN_CATCH("RGPythonFunctor::SetArgumentValueDouble()")
}

void RGPythonFunctor::SetArgumentValueString(const std::string& value)
{
    TARN_TRY
    SetArgumentValue(0, RGPythonHandle::FromString(value));
    TARN_CATCH("RGPythonFunctor::SetArgumentValueString()")
}

void RGPythonFunctor::SetArgumentValueBoolean(unsigned index, bool value)
{
    TARN_TRY
    SetArgumentValue(index, RGPythonHandle::FromBoolean(value));
    TARN_CATCH("RGPythonFunctor::SetArgumentValueBoolean()")
}

void RGPythonFunctor::SetArgumentValuePyObject(const RGPythonHandle& value)
{
    TARN_TRY
    SetArgumentValue(0, value);
    TARN_CATCH("RGPythonFunctor::SetArgumentValuePyObject()")
}

void RGPythonFunctor::SetArgumentValue(unsigned index, const RGPythonHandle& value)
{
    TARN_TRY
    if (!value) throw SEngineException("can't cast to PyXXX value:" + value.Text());
    RGScriptLock lock;
    if (!StoreArgument(m_Arguments, index, value, m_FuncName))
        throw SEngineException("can't set long value:" + value.Text());
    TARN_CATCH("RGPythonFunctor::SetArgumentValue()")
}

RGPythonResult RGPythonFunctor::Exec()
{
    TARN_TRY
    RGScriptLock lock;
    if (!m_Function || !m_Arguments)
        throw SEngineException("function [" + m_FuncName + "] is not bound");
    const int unset = FirstUnsetArgument(m_Arguments);
    if (unset >= 0)
        throw SEngineException("argument [" + std::to_string(unset) + "] is not set for [" + m_FuncName + "]");
    RGPythonHandle result = RGPythonHandle::Steal(PyObject_CallObject(m_Function.Get(), m_Arguments.Get()));
    if ((PyErr_Occurred() && LogPythonError(m_FuncName)) || !result)
        throw SEngineException("can't return function result.[" + m_FuncName + "] module [" +
                               m_Interpreter->GetModuleName() + "]");
    return RGPythonResult(result);
    TARN_CATCH("RGPythonFunctor::Exec()")
}

} // namespace Runegarden
