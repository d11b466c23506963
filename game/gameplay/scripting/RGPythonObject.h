#pragma once
// One script instance: its properties and its methods. A method call is prepared afresh each
// time: SetMethodName, the argument setters, CreateObject. The Integer setter always fills slot 1,
// the String setter slot 0.

#include "game/gameplay/scripting/RGPythonHandle.h"
#include "game/gameplay/scripting/RGPythonResult.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>

namespace Runegarden {

class RGPythonInterpreter;

class RGPythonObject {
public:
    // Takes its own reference to the instance; the class name is only used in messages.
    RGPythonObject(const boost::shared_ptr<RGPythonInterpreter>& interpreter, const std::string& className,
                   const RGPythonHandle& instance);
    virtual ~RGPythonObject();
    RGPythonObject(const RGPythonObject&) = delete;
    RGPythonObject& operator=(const RGPythonObject&) = delete;

    RGPythonResult GetPropertyValue(const RGPythonHandle& key);
    void SetPropertyValueLong(const RGPythonHandle& key, int32_t value);
    void SetPropertyValueSizeT(const RGPythonHandle& key, uint32_t value);
    void SetPropertyValueDouble(const RGPythonHandle& key, double value);
    void SetPropertyValueString(const RGPythonHandle& key, const std::string& value);
    void SetPropertyValueBoolean(const RGPythonHandle& key, bool value);
    // A null value throws "can't cast to PyXXX value:" and leaves the property as it was.
    void SetPropertyValue(const RGPythonHandle& key, const RGPythonHandle& value);

    // Binds the instance's method and makes a tuple of argumentCount empty slots.
    void SetMethodName(const std::string& name, unsigned argumentCount);
    void SetArgumentValueInteger(int32_t value); // slot 1
    void SetArgumentValueDouble(unsigned index, double value);
    void SetArgumentValueString(const std::string& value); // slot 0
    void SetArgumentValuePyObject(unsigned index, const RGPythonHandle& value);
    void SetArgumentValue(unsigned index, const RGPythonHandle& value);
    // Calls the bound method; the method and its tuple serve this one call.
    RGPythonResult CreateObject();

    const RGPythonHandle& GetInstance() const { return m_Instance; }
    const std::string& GetClassName() const { return m_ClassName; }

private:
    boost::shared_ptr<RGPythonInterpreter> m_Interpreter;
    RGPythonHandle m_Instance;
    RGPythonHandle m_Arguments;
    RGPythonHandle m_Method;
    std::string m_MethodName;
    std::string m_ClassName;
};

} // namespace Runegarden
