#include "game/gameplay/scripting/RGPythonDictionary.h"

#include "game/gameplay/scripting/RGPythonError.h"
#include "game/gameplay/scripting/RGPythonInterpreter.h"
#include "game/gameplay/scripting/RGScriptLock.h"

#include "engine/core/base/SEngineException.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

static const char* const kTarnSource = "..\\Src\\RGPythonDictionary";

using TarnEngine::SEngineException;

namespace Runegarden {

RGPythonDictionary::RGPythonDictionary(const boost::shared_ptr<RGPythonInterpreter>& interpreter)
    : m_Interpreter(interpreter)
{
}

RGPythonDictionary::~RGPythonDictionary() { Flush(); }

void RGPythonDictionary::Create()
{
    TARN_TRY
    RGScriptLock lock;
    m_Dictionary = RGPythonHandle::Steal(PyDict_New());
    if (!m_Dictionary) {
        LogPythonError("new dict");
        throw SEngineException("can't create dictionary. module name [" + m_Interpreter->GetModuleName() + "]");
    }
    TARN_CATCH("RGPythonDictionary::Create()")
}

void RGPythonDictionary::Set(const RGPythonHandle& key, const RGPythonHandle& value)
{
    TARN_TRY
    RGScriptLock lock;
    if (!m_Dictionary || !key || !value || PyDict_SetItem(m_Dictionary.Get(), key.Get(), value.Get()) != 0) {
        LogPythonError("dict item " + key.Text());
        throw SEngineException("can't set value. module name [" + m_Interpreter->GetModuleName() + "]");
    }
    TARN_CATCH("RGPythonDictionary::Set()")
}

RGPythonResult RGPythonDictionary::GetValue(const RGPythonHandle& key)
{
    TARN_TRY
    RGScriptLock lock;
    PyObject* value = (m_Dictionary && key) ? PyDict_GetItemWithError(m_Dictionary.Get(), key.Get()) : nullptr;
    if (!value) {
        LogPythonError("dict item " + key.Text());
        throw SEngineException("dictionary don't contain the key. module name [" + m_Interpreter->GetModuleName() +
                               "]");
    }
    return RGPythonResult(RGPythonHandle::Borrow(value));
    TARN_CATCH("RGPythonDictionary::GetValue()")
}

bool RGPythonDictionary::Contains(const RGPythonHandle& key)
{
    RGScriptLock lock;
    const bool found =
        m_Dictionary && key && PyDict_GetItemWithError(m_Dictionary.Get(), key.Get()) != nullptr;
    if (PyErr_Occurred()) LogPythonError("dict item " + key.Text());
    return found;
}

void RGPythonDictionary::Flush() { m_Dictionary.Reset(); }

} // namespace Runegarden
