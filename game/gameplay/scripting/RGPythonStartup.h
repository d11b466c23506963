#pragma once
// Starting and ending the embedded interpreter, once per process. Start-up initialises Python,
// puts the scripts folder at the front of sys.path (so the game's module is found whatever
// PYTHONPATH holds) and releases the interpreter lock for the script locks to take. The end
// finalises it, which runs the scripts' exit hooks; the interpreter wrappers share it, so it
// waits for the last of them.

#include <string>

namespace Runegarden {

// Uses "<working directory>/scripts". When PYTHONPATH is unset it is set to that folder first.
void StartPythonInterpreter();
// Starts the interpreter (when not yet running and never after its end) and puts the folder at
// the front of sys.path (when not already there).
void StartPythonInterpreter(const std::string& scriptsFolder);

// The program's end: the interpreter is finalised on the thread that started it as soon as no
// RGPythonInterpreter is left (now, or when the last one goes there), never while that thread is
// inside script work or another thread holds the script lock. Without the end it stays up until
// the process ends, exit hooks unrun.
void EndPythonInterpreter();
// Whether the interpreter has been finalised; handles released afterwards just let go.
bool PythonInterpreterEnded();

// Every RGPythonInterpreter is counted while it lives, so that the end waits for the last.
void HoldPythonInterpreter();
void ReleasePythonInterpreter();

} // namespace Runegarden
