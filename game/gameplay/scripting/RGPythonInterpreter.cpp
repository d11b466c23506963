#include "game/gameplay/scripting/RGPythonInterpreter.h"

#include "game/gameplay/scripting/RGPythonError.h"
#include "game/gameplay/scripting/RGPythonStartup.h"
#include "game/gameplay/scripting/RGScriptLock.h"

#include "engine/core/base/SEngineException.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

static const char* const kTarnSource = "..\\Src\\RGPythonInterpreter";

using TarnEngine::SEngineException;

namespace Runegarden {

RGPythonInterpreter::RGPythonInterpreter() { HoldPythonInterpreter(); }

// The module goes first: when the program has ended and this was the last wrapper, the
// interpreter is finalised here.
RGPythonInterpreter::~RGPythonInterpreter()
{
    m_Module.Reset();
    ReleasePythonInterpreter();
}

void RGPythonInterpreter::LoadModule(const std::string& name)
{
    TARN_TRY
    RGScriptLock lock;
    RGPythonHandle module = RGPythonHandle::Steal(PyImport_ImportModule(name.c_str()));
    if (!module) {
        LogPythonError("import of " + name);
        throw SEngineException("can't load Python module [" + name + "]");
    }
    m_Module = module;
    m_ModuleName = name;
    TARN_CATCH("RGPythonInterpreter::LoadModule()")
}

RGPythonHandle RGPythonInterpreter::GetModuleAttribute(const std::string& name)
{
    TARN_TRY
    RGScriptLock lock;
    PyObject* attribute = m_Module ? PyObject_GetAttrString(m_Module.Get(), name.c_str()) : nullptr;
    if (!attribute) {
        LogPythonError("attribute " + name);
        throw SEngineException("can't get ModuleAttribute[" + name + "]");
    }
    return RGPythonHandle::Steal(attribute);
    TARN_CATCH("RGPythonInterpreter::GetModuleAttribute()")
}

} // namespace Runegarden
