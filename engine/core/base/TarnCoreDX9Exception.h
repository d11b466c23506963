#pragma once
// A failed Direct3D 9 or DirectInput 8 call, with the fixed text of its result code.

#include "engine/core/base/TarnCoreException.h"

namespace SCore {

class TarnCoreDX9Exception : public TarnCoreException {
public:
    using TarnCoreException::TarnCoreException;
};

} // namespace SCore
