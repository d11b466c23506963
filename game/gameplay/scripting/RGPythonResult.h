#pragma once
// The value a script call or a property read returned: one owned reference. The readers keep the
// designed fallbacks for values of the wrong type (4294967295, -1.0, true); the Python error such a
// conversion raises is logged and cleared.

#include "game/gameplay/scripting/RGPythonHandle.h"

#include <cstdint>
#include <string>
#include <utility>

namespace Runegarden {

class RGPythonResult {
public:
    RGPythonResult() = default;
    explicit RGPythonResult(RGPythonHandle value) : m_Value(std::move(value)) {}
    virtual ~RGPythonResult() = default;

    // A non-negative int below 2^32; anything else gives 4294967295.
    uint32_t GetResultAsSizeT() const;
    // A float or an int; anything else gives -1.0.
    double GetResultAsDouble() const;
    // An ASCII str up to its first NUL; anything else throws "can't convert result to string".
    std::string GetResultAsString() const;
    // The integer value compared with 0 (a float truncated toward zero first); a value without an
    // integer conversion (None, a str) gives true.
    bool GetResultAsBoolean() const;

    const RGPythonHandle& GetHandle() const { return m_Value; }

private:
    RGPythonHandle m_Value;
};

} // namespace Runegarden
