#pragma once
// The program's start-up and end, called by the entry function: the interpreter, the save folder
// and its log, config.xml and the stored full-screen choice, the game object, the application
// frame's start-up and run loop, and the exit actions. Every failure ends here: it is logged and
// shown, and the program ends with exit code 1 and its log flushed and closed.

#include "game/app/kit/RGConfiguration.h"

#include <string>

namespace Runegarden {

class RGStartup {
public:
    // The whole program; the entry function's result (0, or 1 after a failure).
    static int Run();

    // The three banner lines, without the log's date and time.
    static void LogBanner();
    // users.xml's "IsFullScreen" when the file holds one, else the configured flag.
    static bool ReadStoredFullScreen(bool configured);
    // "play.url" is opened when it holds an http or https address; "fscommand\kiosk.exe" is a
    // Windows program and cannot run here. Both are logged.
    static void RunExitActions();

private:
    static int Start();
};

} // namespace Runegarden
