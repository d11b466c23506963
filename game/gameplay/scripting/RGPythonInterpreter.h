#pragma once
// The embedded interpreter as the game sees it: one imported module. Every other wrapper that
// shares it names the module in its messages. Several share the one interpreter, so destroying
// one drops its module but finalises the interpreter only after the program's end was asked
// for (EndPythonInterpreter) and this was the last.

#include "game/gameplay/scripting/RGPythonHandle.h"

#include <string>

namespace Runegarden {

class RGPythonInterpreter {
public:
    RGPythonInterpreter();
    virtual ~RGPythonInterpreter();
    RGPythonInterpreter(const RGPythonInterpreter&) = delete;
    RGPythonInterpreter& operator=(const RGPythonInterpreter&) = delete;

    // Imports the module (starting the interpreter first when start-up has not).
    // Throws "can't load Python module [name]".
    void LoadModule(const std::string& name);
    // A new reference to the module's attribute. Throws "can't get ModuleAttribute[name]".
    RGPythonHandle GetModuleAttribute(const std::string& name);

    const std::string& GetModuleName() const { return m_ModuleName; }
    const RGPythonHandle& GetModule() const { return m_Module; }

private:
    RGPythonHandle m_Module;
    std::string m_ModuleName;
};

} // namespace Runegarden
