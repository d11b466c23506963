#include "game/gameplay/services/RGFiniteValue.h"

#include "engine/core/base/TarnCoreException.h"

#include <cmath>

namespace Runegarden {

void RequireFinite(const std::string& name, float value)
{
    if (!std::isfinite(value)) throw SCore::TarnCoreException(name + " is not a finite number");
}

void RequireFinite(const std::string& name, const SCore::SVector3& value)
{
    RequireFinite(name, value.X);
    RequireFinite(name, value.Y);
    RequireFinite(name, value.Z);
}

} // namespace Runegarden
