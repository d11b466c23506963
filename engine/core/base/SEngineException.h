#pragma once
// The framework's, audio's and game's exception; caught everywhere as TarnCoreException.

#include "engine/core/base/TarnCoreException.h"

namespace TarnEngine {

class SEngineException : public SCore::TarnCoreException {
public:
    using SCore::TarnCoreException::TarnCoreException;
};

} // namespace TarnEngine
