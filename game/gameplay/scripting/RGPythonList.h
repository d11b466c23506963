#pragma once
// A list built by the game, or bound to a list a script returned.

#include "game/gameplay/scripting/RGPythonHandle.h"
#include "game/gameplay/scripting/RGPythonResult.h"

#include <boost/shared_ptr.hpp>

namespace Runegarden {

class RGPythonInterpreter;

class RGPythonList {
public:
    explicit RGPythonList(const boost::shared_ptr<RGPythonInterpreter>& interpreter);
    virtual ~RGPythonList();
    RGPythonList(const RGPythonList&) = delete;
    RGPythonList& operator=(const RGPythonList&) = delete;

    // A new empty list (replacing any held one).
    void Create();
    // Owns the list a script returned; anything but a list throws
    // "result is not a list. module name [module]".
    void Bind(const RGPythonResult& result);
    void Append(const RGPythonHandle& value);
    RGPythonResult GetValue(unsigned index);
    unsigned GetSize();
    void Flush();

    const RGPythonHandle& GetHandle() const { return m_List; }

private:
    boost::shared_ptr<RGPythonInterpreter> m_Interpreter;
    RGPythonHandle m_List;
};

} // namespace Runegarden
