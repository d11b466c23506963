// Chooses the backend of a new device and gives the backend's own answers about adapters.

#include "platform/d3d9/Backend.h"
#include "platform/d3d9/Hooks.h"
#include "platform/display.h"
#include "platform/gl/GLBackend.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/sdl/RenderWindow.h"

namespace platform {
namespace render {

bool DevicesAreHeadless()
{
    bool headless;
    if (hooks::HeadlessOverride(&headless)) return headless;
    return CurrentDisplayDriver() == DisplayDriver::Headless;
}

std::unique_ptr<Backend> MakeBackend(HWND)
{
    if (DevicesAreHeadless()) return std::unique_ptr<Backend>(new HeadlessBackend);
    return std::unique_ptr<Backend>(new GLBackend);
}

std::vector<AdapterMode> SystemAdapters()
{
    std::vector<AdapterMode> adapters;
    if (hooks::AdaptersOverride(&adapters)) return adapters;
    AdapterMode adapter;
    int width, height, refresh;
    if (!DevicesAreHeadless() && sdl::DesktopMode(&width, &height, &refresh)) {
        adapter.width = UINT(width);
        adapter.height = UINT(height);
        adapter.refreshRate = UINT(refresh);
    }
    return {adapter};
}

bool SystemAcceptsDepthFormat(UINT format)
{
    bool accepted;
    if (hooks::DepthFormatOverride(format, &accepted)) return accepted;
    // The window's depth buffer has 24 bits: a 16-bit format fits in it, a 32-bit one does not.
    return format == D3DFMT_D16;
}

} // namespace render
} // namespace platform
