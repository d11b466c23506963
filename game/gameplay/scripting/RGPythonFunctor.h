#pragma once
// One module-level function with its argument tuple. The tuple keeps its values between calls
// until a setter replaces them. The String and PyObject setters always fill slot 0.
// Callers that share a functor between threads hold an RGScriptLock across set-up, call and read.

#include "game/gameplay/scripting/RGPythonHandle.h"
#include "game/gameplay/scripting/RGPythonResult.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>

namespace Runegarden {

class RGPythonInterpreter;

class RGPythonFunctor {
public:
    explicit RGPythonFunctor(const boost::shared_ptr<RGPythonInterpreter>& interpreter);
    virtual ~RGPythonFunctor();
    RGPythonFunctor(const RGPythonFunctor&) = delete;
    RGPythonFunctor& operator=(const RGPythonFunctor&) = delete;

    // Binds the module's function and makes a tuple of argumentCount empty slots.
    void SetFuncName(const std::string& name, unsigned argumentCount);

    void SetArgumentValueSizeT(unsigned index, uint32_t value);
    void SetArgumentValueDouble(unsigned index, double value);
    void SetArgumentValueString(const std::string& value);  // slot 0
    void SetArgumentValueBoolean(unsigned index, bool value);
    void SetArgumentValuePyObject(const RGPythonHandle& value); // slot 0
    // Stores the value in the slot; a null value throws "can't cast to PyXXX value:".
    void SetArgumentValue(unsigned index, const RGPythonHandle& value);

    // Calls the function with the tuple; every slot must have been set.
    RGPythonResult Exec();

    const std::string& GetFuncName() const { return m_FuncName; }

private:
    boost::shared_ptr<RGPythonInterpreter> m_Interpreter;
    RGPythonHandle m_Function;
    RGPythonHandle m_Arguments;
    std::string m_FuncName;
};

} // namespace Runegarden
