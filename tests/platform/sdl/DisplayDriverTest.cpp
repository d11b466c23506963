#include "platform/d3d9.h"
#include "platform/display.h"
#include "platform/testing.h"
#include "platform/testing_input.h"
#include "platform/testing_render.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class DisplayDriverTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        platform::SetDisplayDriver(platform::DisplayDriver::Auto);
        unsetenv("TARN_DISPLAY_DRIVER");
        platform::testing::ResetAll();
    }

    static std::string AdapterDescription()
    {
        IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
        D3DADAPTER_IDENTIFIER9 id = {};
        d3d->GetAdapterIdentifier(0, 0, &id);
        d3d->Release();
        return id.Description;
    }
};

TEST_F(DisplayDriverTest, TheCallBeatsTheEnvironmentWhichBeatsTheDisplay)
{
    using platform::DisplayDriver;
    struct Case {
        const char* environment; // null: unset
        DisplayDriver call;
        DisplayDriver chosen;
    } cases[] = {{"headless", DisplayDriver::Auto, DisplayDriver::Headless},
                 {"HeadLess", DisplayDriver::Auto, DisplayDriver::Headless},
                 {"headless", DisplayDriver::OpenGL, DisplayDriver::OpenGL},
                 {nullptr, DisplayDriver::Headless, DisplayDriver::Headless},
                 {"opengl", DisplayDriver::Headless, DisplayDriver::Headless}};
    for (const Case& c : cases) {
        if (c.environment) setenv("TARN_DISPLAY_DRIVER", c.environment, 1);
        else unsetenv("TARN_DISPLAY_DRIVER");
        platform::SetDisplayDriver(c.call);
        EXPECT_EQ(c.chosen, platform::CurrentDisplayDriver()) << (c.environment ? c.environment : "unset");
    }
}

TEST_F(DisplayDriverTest, HeadlessMakesVirtualWindowsAndRecordingDevicesUnlessATestForcesOne)
{
    platform::SetDisplayDriver(platform::DisplayDriver::Headless);
    EXPECT_TRUE(platform::testing::WindowsAreVirtual());
    EXPECT_TRUE(platform::testing::IsHeadless());
    EXPECT_EQ("headless recorder", AdapterDescription());
    platform::testing::SetRenderMode(platform::testing::RenderMode::OpenGL);
    EXPECT_FALSE(platform::testing::IsHeadless());
}

TEST_F(DisplayDriverTest, TheHeadlessBackendAnswersForItself)
{
    platform::SetDisplayDriver(platform::DisplayDriver::Headless);
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(nullptr, d3d);
    D3DDISPLAYMODE mode = {};
    EXPECT_EQ(1u, d3d->GetAdapterCount());
    ASSERT_EQ(D3D_OK, d3d->GetAdapterDisplayMode(0, &mode));
    EXPECT_EQ(1024u, mode.Width);
    EXPECT_EQ(768u, mode.Height);
    EXPECT_EQ(D3DFMT_X8R8G8B8, mode.Format);
    const auto depth = [&](D3DFORMAT format) {
        return d3d->CheckDepthStencilMatch(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, format);
    };
    EXPECT_EQ(D3D_OK, depth(D3DFMT_D16));
    EXPECT_EQ(D3DERR_NOTAVAILABLE, depth(D3DFMT_D32));
    d3d->Release();
}

} // namespace
