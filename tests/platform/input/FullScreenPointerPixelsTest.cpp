// A full-screen window covers the display while its back buffer keeps the requested size, and the
// picture is stretched when presented; the pointer must still arrive in back-buffer pixels.

#include "platform/d3d9.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/testing.h"
#include "platform/testing_render.h"
#include "platform/testing_input.h"
#include "platform/win32.h"
#include "tests/platform/input/RealWindow.h"
#include "tests/platform/render/RenderTestSupport.h"
#include "tests/support/VirtualWindow.h"

#include <gtest/gtest.h>

#include <thread>

namespace pt = platform::testing;

TEST(FullScreenPointerPixelsTest, PressAndCursorOnAStretchedWindowArriveInBackBufferPixels)
{
    pt::ResetAll();
    if (!platform::sdl::VideoAvailable()) GTEST_SKIP() << "no display";
    windowtest::RealWindow real(0, 0, 320, 240);
    HWND window = real.Handle();
    ASSERT_NE(window, nullptr);
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS params = WindowedParams(window, 320, 240);
    params.Windowed = FALSE;
    IDirect3DDevice9* device = nullptr;
    ASSERT_EQ(D3D_OK, d3d->CreateDevice(0, D3DDEVTYPE_HAL, window, 0x40, &params, &device));
    // The display system stretches the window over the desktop in its own time, and under load a
    // request made while the window is still being shown can be lost: the messages are pumped
    // until it is stretched, switching to windowed and back to full screen as the game would when
    // it is not; a display that never stretches it fails the test.
    int desktopWidth = 0, desktopHeight = 0, refresh = 0;
    ASSERT_TRUE(platform::sdl::DesktopMode(&desktopWidth, &desktopHeight, &refresh));
    ASSERT_TRUE(desktopWidth != 320 || desktopHeight != 240) << "the desktop must differ from the back buffer";
    int width = 0, height = 0;
    for (int attempt = 0; attempt < 5 && (width != desktopWidth || height != desktopHeight); ++attempt) {
        if (attempt > 0) {
            D3DPRESENT_PARAMETERS windowed = params;
            windowed.Windowed = TRUE;
            ASSERT_EQ(D3D_OK, device->Reset(&windowed));
            ASSERT_EQ(D3D_OK, device->Reset(&params));
        }
        for (int pass = 0; pass < 200000 && (width != desktopWidth || height != desktopHeight); ++pass) {
            tarn_test::VirtualWindow::Pump();
            ASSERT_TRUE(pt::NativeWindowSize(window, &width, &height));
            std::this_thread::yield();
        }
    }
    ASSERT_EQ(desktopWidth, width);
    ASSERT_EQ(desktopHeight, height);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);

    // Three quarters across and down the display is three quarters across the back buffer.
    pt::PushNativeMouseButton(window, 1, true, width * 3 / 4, height * 3 / 4);
    MSG m{};
    bool pressed = false;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
        if (m.message == WM_LBUTTONDOWN) {
            pressed = true;
            EXPECT_EQ(LOWORD(m.lParam), 240);
            EXPECT_EQ(HIWORD(m.lParam), 180);
        }
    EXPECT_TRUE(pressed);
    // So does the cursor a motion places.
    pt::PushNativeMouseMotion(window, width / 4, height / 4);
    tarn_test::VirtualWindow::Pump();
    POINT cursor{};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 80);
    EXPECT_EQ(cursor.y, 60);
    device->Release();
    d3d->Release();
}
