// Another program warping the pointer (a test driver's absolute move) reaches the window only as
// motion: the display system's global pointer position is not refreshed by it.

#include "platform/testing.h"
#include "platform/testing_input.h"
#include "platform/win32.h"
#include "tests/platform/sdl/RealWindow.h"
#include "tests/support/OwnDisplay.h"
#include "tests/support/VirtualWindow.h"

#include <gtest/gtest.h>

namespace pt = platform::testing;

TEST(PointerWarpTest, TheCursorFollowsAMotionTheWindowReceives)
{
    pt::ResetAll();
    ASSERT_TRUE(tarn_test::OwnDisplay());
    windowtest::RealWindow real(40, 30, 320, 240);
    ASSERT_NE(real.Handle(), nullptr);
    tarn_test::VirtualWindow::Pump();

    pt::PushNativeMouseMotion(real.Handle(), 37, 21);
    tarn_test::VirtualWindow::Pump();
    tarn_test::VirtualWindow::Pump(); // and it stays there, though the global position never moved
    RECT rect{};
    GetWindowRect(real.Handle(), &rect);
    POINT cursor{};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, rect.left + 37);
    EXPECT_EQ(cursor.y, rect.top + 21);
}
