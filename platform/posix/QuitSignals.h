#pragma once
// The quit request a signal leaves for the message pump (platform/signals.h). Internal to platform/.

namespace platform {
namespace signals {

// True once for each request made since the last call.
bool TakeQuitRequest();

} // namespace signals
} // namespace platform
