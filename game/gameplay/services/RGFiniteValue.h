#pragma once
// Numbers from data files that the game computes with must be finite: the object format's reader
// takes "nan" and "inf" as numbers, and either would spread through the physics, the view and
// the layout without any error.

#include "engine/core/math/SVector3.h"

#include <string>

namespace Runegarden {

// Throws TarnCoreException "<name> is not a finite number" when value (any component) is NaN or
// infinite.
void RequireFinite(const std::string& name, float value);
void RequireFinite(const std::string& name, const SCore::SVector3& value);

} // namespace Runegarden
