// Another program warping the pointer (a test driver's absolute move) reaches the window only as
// motion: the display system's global pointer position is not refreshed by it.

#include "platform/sdl/RenderWindow.h"
#include "platform/testing.h"
#include "platform/testing_input.h"
#include "platform/testing_render.h"
#include "platform/win32.h"
#include "tests/support/VirtualWindow.h"

#include <gtest/gtest.h>

namespace pt = platform::testing;

TEST(PointerWarpTest, TheCursorFollowsAMotionTheWindowReceives)
{
    pt::ResetAll();
    if (!platform::sdl::VideoAvailable()) GTEST_SKIP() << "no display";
    pt::SetRenderMode(pt::RenderMode::OpenGL);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &DefWindowProcA;
    wc.lpszClassName = "pointer warp test";
    ASSERT_TRUE(RegisterClassExA(&wc));
    HWND window = CreateWindowExA(0, wc.lpszClassName, "warp", WS_POPUP, 40, 30, 320, 240, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    tarn_test::VirtualWindow::Pump();

    pt::PushNativeMouseMotion(window, 37, 21);
    tarn_test::VirtualWindow::Pump();
    tarn_test::VirtualWindow::Pump(); // and it stays there, though the global position never moved
    RECT rect{};
    GetWindowRect(window, &rect);
    POINT cursor{};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, rect.left + 37);
    EXPECT_EQ(cursor.y, rect.top + 21);

    DestroyWindow(window);
    UnregisterClassA(wc.lpszClassName, GetModuleHandleA(nullptr));
    pt::ResetAll();
}
