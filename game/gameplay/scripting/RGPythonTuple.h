#pragma once
// The argument tuples that functors and bound methods keep between their setters and the call.
// Call with the script lock held.

#include "game/gameplay/scripting/RGPythonHandle.h"

namespace Runegarden {

// A new tuple of count empty slots; null (error logged) when it cannot be made.
RGPythonHandle NewArgumentTuple(unsigned count, const std::string& owner);
// Puts a reference of its own to value into the slot, releasing what the slot held. A tuple that a
// script kept hold of is copied first, so the script's copy is never changed. False when the slot
// does not exist (error logged).
bool StoreArgument(RGPythonHandle& tuple, unsigned index, const RGPythonHandle& value, const std::string& owner);
// The first slot never set, or -1 when all are set.
int FirstUnsetArgument(const RGPythonHandle& tuple);

} // namespace Runegarden
