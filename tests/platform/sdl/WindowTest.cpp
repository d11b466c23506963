#include "WindowFixture.h"
#include "platform/testing_input.h"

namespace pt = platform::testing;
using windowtest::WindowFixture;

namespace {

class WindowTest : public WindowFixture {};

TEST_F(WindowTest, ClientAreaIsTheRequestedSizeAndTheWindowHasNoFrame)
{
    RECT window, client, adjusted{0, 0, 640, 480};
    ASSERT_TRUE(GetWindowRect(m_Window, &window));
    ASSERT_TRUE(GetClientRect(m_Window, &client));
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 50);
    EXPECT_EQ(window.right - window.left, 640);
    EXPECT_EQ(window.bottom - window.top, 480);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    ASSERT_TRUE(AdjustWindowRect(&adjusted, 0x06CA0000u, FALSE));
    EXPECT_EQ(adjusted.right, 640);
    EXPECT_EQ(adjusted.bottom, 480);
    EXPECT_EQ(GetWindowLongA(m_Window, GWL_STYLE), LONG(WS_POPUP));
    EXPECT_EQ(GetClassLongA(m_Window, GCL_HCURSOR), 0u);
}

TEST_F(WindowTest, CloseRequestDestroysTheWindowAndQuitComesAfterEveryOtherMessage)
{
    ASSERT_TRUE(PostMessageA(m_Window, WM_USER, 7, 9));
    pt::InjectCloseRequest(m_Window);
    std::vector<MSG> got = Pump();
    ASSERT_EQ(Messages(got), (std::vector<UINT>{WM_USER, WM_CLOSE}));
    EXPECT_EQ(got[0].wParam, 7u);
    EXPECT_EQ(got[0].lParam, 9);
    EXPECT_FALSE(IsWindow(m_Window)) << "the default procedure destroys on WM_CLOSE";

    PostMessageA(nullptr, WM_USER, 1, 0);
    PostQuitMessage(3);
    got = Pump();
    ASSERT_EQ(Messages(got), (std::vector<UINT>{WM_USER, WM_QUIT}));
    EXPECT_EQ(got[1].wParam, 3u);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) << "WM_QUIT comes once";
}

TEST_F(WindowTest, PaintFollowsShowAndStaysPendingUntilValidated)
{
    ShowWindow(m_Window, SW_SHOWDEFAULT);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, UINT(WM_PAINT));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, UINT(WM_PAINT));
    DispatchMessageA(&m);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowTest, PointerShowsOnlyWithACursorAndANonNegativeCounter)
{
    EXPECT_TRUE(pt::PointerVisible());
    EXPECT_EQ(ShowCursor(TRUE), 1);
    HCURSOR arrow = SetCursor(nullptr);
    EXPECT_NE(arrow, nullptr);
    EXPECT_FALSE(pt::PointerVisible()) << "a NULL cursor hides the pointer";
    SetCursor(arrow);
    EXPECT_EQ(ShowCursor(FALSE), 0);
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_FALSE(pt::PointerVisible());
}

} // namespace
