#pragma once
// The code names that DirectInput failure texts carry.

#include "engine/core/base/TarnCoreDX9Exception.h"
#include "platform/dinput8.h"

#include <string>

namespace SCore {

// "DIERR_..." for the codes the engine maps; null for any other result.
inline const char* DIErrorName(HRESULT hr)
{
    switch (hr) {
    case DIERR_INVALIDPARAM: return "DIERR_INVALIDPARAM";
    case DIERR_OUTOFMEMORY: return "DIERR_OUTOFMEMORY";
    case DIERR_OLDDIRECTINPUTVERSION: return "DIERR_OLDDIRECTINPUTVERSION";
    case DIERR_BETADIRECTINPUTVERSION: return "DIERR_BETADIRECTINPUTVERSION";
    case DIERR_DEVICENOTREG: return "DIERR_DEVICENOTREG";
    case DIERR_NOINTERFACE: return "DIERR_NOINTERFACE";
    case DIERR_NOTINITIALIZED: return "DIERR_NOTINITIALIZED";
    case DIERR_ACQUIRED: return "DIERR_ACQUIRED";
    case DIERR_OBJECTNOTFOUND: return "DIERR_OBJECTNOTFOUND";
    case DIERR_UNSUPPORTED: return "DIERR_UNSUPPORTED";
    case DIERR_NOTBUFFERED: return "DIERR_NOTBUFFERED";
    default: return nullptr;
    }
}

// Throws the failure text of a keyboard or mouse call: the prefix, then the code's name, or
// "UNKNOWN ERROR" for a code the engine does not name.
[[noreturn]] inline void ThrowDIError(const char* prefix, HRESULT hr)
{
    const char* name = DIErrorName(hr);
    throw TarnCoreDX9Exception(std::string(prefix) + (name ? name : "UNKNOWN ERROR"));
}

} // namespace SCore
