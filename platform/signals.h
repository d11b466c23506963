#pragma once
// Quit signals: SIGINT, SIGTERM and SIGHUP (the terminal closed). Once the program has started,
// each asks it to quit as closing its window does (the window gets WM_CLOSE), so that it saves on
// the way out. During start-up it could not act on one (loading may even never end) and has
// nothing to save: the signal then ends the process at once, as an unhandled one would, writing
// nothing. A started program whose run loop has not ended within a few seconds of the signal (a
// script that never returns holds its main thread) is ended by that signal the same way; what it
// saved before stays as it was. A signal that the parent set to be ignored (nohup) stays ignored.

namespace platform {

// The program's entry: before SDL starts, which is then kept from taking the signals itself.
void InstallQuitSignals();
// From now on a quit signal asks the program to quit instead of ending it.
void MarkStartupComplete();
// The run loop has ended: the program is on its way out (saving), which no quit signal cuts short.
// Returns once the watch over quit signals has stood down.
void MarkShutdownStarted();

} // namespace platform
