// The display driver setting (platform/display.h).

#include "platform/display.h"
#include "platform/sdl/RenderWindow.h"

#include <atomic>
#include <cstdlib>
#include <strings.h>

namespace platform {
namespace {

std::atomic<DisplayDriver> g_Driver{DisplayDriver::Auto};

DisplayDriver FromEnvironment()
{
    const char* name = std::getenv("TARN_DISPLAY_DRIVER");
    if (name && ::strcasecmp(name, "headless") == 0) return DisplayDriver::Headless;
    if (name && ::strcasecmp(name, "opengl") == 0) return DisplayDriver::OpenGL;
    return DisplayDriver::Auto;
}

// The driver set, else the one the environment names; Auto when neither chose.
DisplayDriver ChosenDriver()
{
    const DisplayDriver driver = g_Driver.load();
    return driver == DisplayDriver::Auto ? FromEnvironment() : driver;
}

} // namespace

void SetDisplayDriver(DisplayDriver driver) { g_Driver.store(driver); }

std::string UnopenedDisplay()
{
    const char* named = sdl::NamedDisplay();
    if (ChosenDriver() == DisplayDriver::Headless || !named || sdl::VideoAvailable()) return std::string();
    return named;
}

bool HeadlessForWantOfDisplay() { return ChosenDriver() == DisplayDriver::Auto && !sdl::NamedDisplay(); }

DisplayDriver CurrentDisplayDriver()
{
    DisplayDriver driver = ChosenDriver();
    if (driver == DisplayDriver::Auto)
        driver = sdl::VideoAvailable() ? DisplayDriver::OpenGL : DisplayDriver::Headless;
    return driver;
}

} // namespace platform
