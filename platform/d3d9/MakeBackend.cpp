// Chooses the backend of a new device.

#include "platform/d3d9/Backend.h"
#include "platform/gl/GLBackend.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/testing_render.h"

namespace platform {
namespace render {

std::unique_ptr<Backend> MakeBackend(HWND)
{
    if (testing::IsHeadless()) return std::unique_ptr<Backend>(new HeadlessBackend);
    return std::unique_ptr<Backend>(new GLBackend);
}

} // namespace render
} // namespace platform
