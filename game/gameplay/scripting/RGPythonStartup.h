#pragma once
// Starting the embedded interpreter, once per process, before any script runs: Python is
// initialised, the scripts folder is put at the front of sys.path (so the game's module is found
// whatever PYTHONPATH holds) and the interpreter lock is released for the script locks to take.
// The interpreter is never finalised: it stays up until the process ends.

#include <string>

namespace Runegarden {

// Uses "<working directory>/scripts". When PYTHONPATH is unset it is set to that folder first.
void StartPythonInterpreter();
// Starts the interpreter (when not yet running) and puts the folder at the front of sys.path
// (when not already there).
void StartPythonInterpreter(const std::string& scriptsFolder);

} // namespace Runegarden
