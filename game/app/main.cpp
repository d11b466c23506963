// The program's entry function; the platform's main calls it on the main thread.

#include "game/app/application/RGStartup.h"
#include "platform/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return Runegarden::RGStartup::Run();
}
