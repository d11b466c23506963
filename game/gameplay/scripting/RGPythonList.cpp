#include "game/gameplay/scripting/RGPythonList.h"

#include "game/gameplay/scripting/RGPythonError.h"
#include "game/gameplay/scripting/RGPythonInterpreter.h"
#include "game/gameplay/scripting/RGScriptLock.h"

#include "engine/core/base/SEngineException.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

static const char* const kTarnSource = "..\\Src\\RGPythonList";

using TarnEngine::SEngineException;

namespace Runegarden {

RGPythonList::RGPythonList(const boost::shared_ptr<RGPythonInterpreter>& interpreter) : m_Interpreter(interpreter) {}

RGPythonList::~RGPythonList() { Flush(); }

void RGPythonList::Create()
{
    TARN_TRY
    RGScriptLock lock;
    m_List = RGPythonHandle::Steal(PyList_New(0));
    if (!m_List) {
        LogPythonError("new list");
        throw SEngineException("can't create list. module name [" + m_Interpreter->GetModuleName() + "]");
    }
    TARN_CATCH("RGPythonList::Create()")
}

void RGPythonList::Bind(const RGPythonResult& result)
{
    TARN_TRY
    RGScriptLock lock;
    if (!result.GetHandle() || !PyList_Check(result.GetHandle().Get()))
        throw SEngineException("result is not a list. module name [" + m_Interpreter->GetModuleName() + "]");
    m_List = result.GetHandle();
    TARN_CATCH("RGPythonList::Bind()")
}

void RGPythonList::Append(const RGPythonHandle& value)
{
    TARN_TRY
    RGScriptLock lock;
    if (!m_List || !value || PyList_Append(m_List.Get(), value.Get()) != 0) {
        LogPythonError("list append");
        throw SEngineException("can't append value to list. module name [" + m_Interpreter->GetModuleName() + "]");
    }
    TARN_CATCH("RGPythonList::Append()")
}

RGPythonResult RGPythonList::GetValue(unsigned index)
{
    TARN_TRY
    RGScriptLock lock;
    if (!m_List || static_cast<Py_ssize_t>(index) >= PyList_GET_SIZE(m_List.Get()))
        throw SEngineException("list index out of range. module name [" + m_Interpreter->GetModuleName() + "]");
    return RGPythonResult(RGPythonHandle::Borrow(PyList_GET_ITEM(m_List.Get(), index)));
    TARN_CATCH("RGPythonList::GetValue()")
}

unsigned RGPythonList::GetSize()
{
    RGScriptLock lock;
    return m_List ? static_cast<unsigned>(PyList_GET_SIZE(m_List.Get())) : 0u;
}

void RGPythonList::Flush() { m_List.Reset(); }

} // namespace Runegarden
