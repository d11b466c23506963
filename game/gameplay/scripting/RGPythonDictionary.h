#pragma once
// A dict built by the game and handed to scripts (the world dictionary).

#include "game/gameplay/scripting/RGPythonHandle.h"
#include "game/gameplay/scripting/RGPythonResult.h"

#include <boost/shared_ptr.hpp>

namespace Runegarden {

class RGPythonInterpreter;

class RGPythonDictionary {
public:
    explicit RGPythonDictionary(const boost::shared_ptr<RGPythonInterpreter>& interpreter);
    virtual ~RGPythonDictionary();
    RGPythonDictionary(const RGPythonDictionary&) = delete;
    RGPythonDictionary& operator=(const RGPythonDictionary&) = delete;

    // A new empty dict (replacing any held one).
    void Create();
    void Set(const RGPythonHandle& key, const RGPythonHandle& value);
    // Throws "dictionary don't contain the key. module name [module]" for a missing key.
    RGPythonResult GetValue(const RGPythonHandle& key);
    bool Contains(const RGPythonHandle& key);
    void Flush();

    const RGPythonHandle& GetHandle() const { return m_Dictionary; }

private:
    boost::shared_ptr<RGPythonInterpreter> m_Interpreter;
    RGPythonHandle m_Dictionary;
};

} // namespace Runegarden
