#pragma once
// A shown window of the layer backed by the display system (OpenGL mode), for tests of what the
// display system itself reports. Construct it only once video is open (tarn_test::OwnDisplay()).

#include "platform/testing.h"
#include "platform/testing_render.h"
#include "platform/win32.h"

namespace windowtest {

class RealWindow {
public:
    RealWindow(int x, int y, int width, int height)
    {
        platform::testing::SetRenderMode(platform::testing::RenderMode::OpenGL);
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &DefWindowProcA;
        wc.lpszClassName = kClass;
        RegisterClassExA(&wc);
        m_Handle = CreateWindowExA(0, kClass, "real", WS_POPUP, x, y, width, height, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        if (m_Handle) ShowWindow(m_Handle, SW_SHOW);
    }
    ~RealWindow()
    {
        if (m_Handle) DestroyWindow(m_Handle);
        UnregisterClassA(kClass, GetModuleHandleA(nullptr));
        platform::testing::ResetAll();
    }
    RealWindow(const RealWindow&) = delete;
    RealWindow& operator=(const RealWindow&) = delete;

    HWND Handle() const { return m_Handle; }

private:
    static constexpr const char* kClass = "real window test";
    HWND m_Handle = nullptr;
};

} // namespace windowtest
