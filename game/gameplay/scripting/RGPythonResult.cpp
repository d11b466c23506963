#include "game/gameplay/scripting/RGPythonResult.h"

#include "game/gameplay/scripting/RGPythonError.h"
#include "game/gameplay/scripting/RGScriptLock.h"

#include "engine/core/base/SEngineException.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <cmath>
#include <cstring>
#include <limits>

static const char* const kTarnSource = "..\\Src\\RGPythonResult";

using TarnEngine::SEngineException;

namespace Runegarden {

uint32_t RGPythonResult::GetResultAsSizeT() const
{
    RGScriptLock lock;
    const size_t value = m_Value ? PyLong_AsSize_t(m_Value.Get()) : static_cast<size_t>(-1);
    if (PyErr_Occurred()) LogPythonError("conversion to an unsigned number");
    // The designed 32-bit reader fails, and gives all bits set, for anything it cannot hold.
    if (value > std::numeric_limits<uint32_t>::max()) return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(value);
}

double RGPythonResult::GetResultAsDouble() const
{
    RGScriptLock lock;
    const double value = m_Value ? PyFloat_AsDouble(m_Value.Get()) : -1.0;
    if (PyErr_Occurred()) LogPythonError("conversion to a float");
    return value;
}

std::string RGPythonResult::GetResultAsString() const
{
    TARN_TRY
    RGScriptLock lock;
    PyObject* bytes = m_Value ? PyUnicode_AsASCIIString(m_Value.Get()) : nullptr;
    if (!bytes) {
        LogPythonError("conversion to a string");
        throw SEngineException("can't convert result to string");
    }
    const char* text = PyBytes_AsString(bytes);
    std::string out(text, text ? std::strlen(text) : 0);
    Py_DECREF(bytes);
    return out;
    TARN_CATCH("RGPythonResult::GetResultAsString()")
}

bool RGPythonResult::GetResultAsBoolean() const
{
    RGScriptLock lock;
    PyObject* value = m_Value.Get();
    if (value && PyFloat_Check(value)) {
        const double number = PyFloat_AS_DOUBLE(value);
        // A float without an integer value takes the wrong-type rule, as the integer conversion fails.
        if (!std::isfinite(number)) return true;
        return std::trunc(number) != 0.0;
    }
    const long number = value ? PyLong_AsLong(value) : -1;
    if (PyErr_Occurred()) LogPythonError("conversion to a truth value");
    return number != 0;
}

} // namespace Runegarden
