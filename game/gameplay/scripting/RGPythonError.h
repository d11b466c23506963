#pragma once
// The pending Python error, if any, written to the log with its traceback and cleared, so that
// the next call is not reported as failing. Call with the script lock held.

#include <string>

namespace Runegarden {

// Returns whether an error was pending.
bool LogPythonError(const std::string& context);

} // namespace Runegarden
