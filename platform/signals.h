#pragma once
// Quit signals: SIGINT, SIGTERM and SIGHUP (the terminal closed). Once the program has started,
// each asks it to quit as closing its window does (the window gets WM_CLOSE), so that it saves on
// the way out. During start-up it could not act on one (loading may even never end) and has
// nothing to save: the signal then ends the process at once, as an unhandled one would, writing
// nothing. A signal that the parent set to be ignored (nohup) stays ignored.

namespace platform {

// The program's entry: before SDL starts, which is then kept from taking the signals itself.
void InstallQuitSignals();
// From now on a quit signal asks the program to quit instead of ending it.
void MarkStartupComplete();

} // namespace platform
