#pragma once
// One owned reference to a Python object. Copies take their own reference; the last owner drops
// it under the script lock. Code outside the scripting folder makes its keys and argument values
// through the factory functions here and never includes Python itself.

#include <cstdint>
#include <string>

struct _object;
typedef struct _object PyObject;

namespace Runegarden {

class RGPythonHandle {
public:
    RGPythonHandle() = default;
    RGPythonHandle(const RGPythonHandle& other);
    RGPythonHandle(RGPythonHandle&& other) noexcept;
    RGPythonHandle& operator=(RGPythonHandle other) noexcept;
    ~RGPythonHandle();

    // Takes over a new reference (null stays null).
    static RGPythonHandle Steal(PyObject* object);
    // Takes a reference of its own to a borrowed object.
    static RGPythonHandle Borrow(PyObject* object);

    // Conversions; a failed conversion gives a null handle and logs the Python error.
    static RGPythonHandle FromString(const std::string& text);
    // An interned str, for attribute names: the interpreter interns every name it is given, so a
    // key made this way is not interned again at each use.
    static RGPythonHandle FromName(const std::string& name);
    static RGPythonHandle FromSizeT(uint32_t value);
    static RGPythonHandle FromLong(int32_t value);
    static RGPythonHandle FromDouble(double value);
    static RGPythonHandle FromBoolean(bool value);

    PyObject* Get() const { return m_Object; }
    explicit operator bool() const { return m_Object != nullptr; }
    // Hands the reference to the caller and becomes null.
    PyObject* Release();
    void Reset();

    // The object's str() for messages; "NULL" for a null handle.
    std::string Text() const;

private:
    PyObject* m_Object = nullptr;
};

} // namespace Runegarden
