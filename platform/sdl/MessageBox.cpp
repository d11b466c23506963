// The message box: always a line on stderr, and an SDL box when a display could be opened (a
// display that is named but not there would only add a second failure to the text).

#include "platform/win32.h"

#include "platform/posix/Hooks.h"
#include "platform/sdl/RenderWindow.h"

#include <SDL.h>

#include <cstdio>

namespace {

Uint32 SdlFlags(UINT type)
{
    switch (type & 0xF0u) {
    case MB_ICONWARNING: return SDL_MESSAGEBOX_WARNING;
    case MB_ICONINFORMATION: return SDL_MESSAGEBOX_INFORMATION;
    default: return SDL_MESSAGEBOX_ERROR;
    }
}

} // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    if (platform::hooks::RecordMessageBox(text, caption, type)) return IDOK;

    // Windows shows "Error" when no caption is given.
    const char* title = caption ? caption : "Error";
    const char* body = text ? text : "";
    std::fprintf(stderr, "%s: %s\n", title, body);
    std::fflush(stderr);
    if (platform::sdl::VideoAvailable() && SDL_ShowSimpleMessageBox(SdlFlags(type), title, body, nullptr) != 0)
        std::fprintf(stderr, "MessageBoxA: no message box could be shown: %s\n", SDL_GetError());
    return IDOK;
}
