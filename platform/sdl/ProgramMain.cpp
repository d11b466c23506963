// The program's entry: SDL is initialised on the process's first thread (the main thread, the only
// one that pumps events and draws), then the game's WinMain runs. Kept out of the platform library
// (library tarn_platform_main) so that test programs keep their own main.

#include "platform/sdl/RenderWindow.h"
#include "platform/signals.h"
#include "platform/win32.h"

#include <SDL.h>

#include <exception>

int main(int, char**)
{
    SDL_SetMainReady();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    platform::InstallQuitSignals();
    SDL_Init(SDL_INIT_EVENTS);
    platform::sdl::VideoAvailable(); // video too, when a display is present
    int result = 1;
    try {
        char commandLine[] = "";
        result = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), nullptr, MB_OK); // also written to stderr
        return 1;
    } catch (...) {
        MessageBoxA(nullptr, "unhandled exception", nullptr, MB_OK);
        return 1;
    }
    SDL_Quit();
    return result;
}
