#pragma once
// A virtual window whose procedure hands every message to the default procedure; the layer's
// call recording shows what it received.

#include "platform/testing.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace windowtest {

inline LRESULT CALLBACK PassThroughProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

class WindowFixture : public ::testing::Test {
protected:
    static constexpr const char* kClass = "window test";

    void SetUp() override
    {
        platform::testing::ResetAll();
        platform::testing::SetWindowMode(platform::testing::WindowMode::Virtual);
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &PassThroughProc;
        wc.lpszClassName = kClass;
        ASSERT_NE(RegisterClassExA(&wc), 0);
        m_Window = CreateWindowExA(0, kClass, "test", WS_POPUP, 100, 50, 640, 480, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_Window, nullptr);
        platform::testing::RecordWindowCalls(true);
    }

    void TearDown() override
    {
        UnregisterClassA(kClass, GetModuleHandleA(nullptr));
        platform::testing::ResetAll();
    }

    // Removes and dispatches every message the pump has; returns them in order.
    std::vector<MSG> Pump()
    {
        std::vector<MSG> out;
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            out.push_back(m);
            if (m.message == WM_QUIT) break;
            DispatchMessageA(&m);
        }
        return out;
    }

    static std::vector<UINT> Messages(const std::vector<MSG>& msgs)
    {
        std::vector<UINT> out;
        for (const MSG& m : msgs) out.push_back(m.message);
        return out;
    }

    HWND m_Window = nullptr;
};

} // namespace windowtest
