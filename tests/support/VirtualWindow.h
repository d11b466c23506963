#pragma once
// A virtual window of the platform layer for tests that need a window handle and injected input,
// with a pump that dispatches everything queued.

#include "platform/testing.h"
#include "platform/testing_input.h"
#include "platform/win32.h"

namespace tarn_test {

class VirtualWindow {
public:
    VirtualWindow(int x, int y, int width, int height, WNDPROC proc = &DefWindowProcA)
    {
        platform::testing::SetWindowMode(platform::testing::WindowMode::Virtual);
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = proc;
        wc.lpszClassName = kClass;
        RegisterClassExA(&wc);
        m_Handle = CreateWindowExA(0, kClass, "test", WS_POPUP, x, y, width, height, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    }
    ~VirtualWindow() { UnregisterClassA(kClass, GetModuleHandleA(nullptr)); }
    VirtualWindow(const VirtualWindow&) = delete;
    VirtualWindow& operator=(const VirtualWindow&) = delete;

    HWND Handle() const { return m_Handle; }

    // Runs the pump until it is empty (stopping at WM_QUIT), dispatching each message.
    static void Pump()
    {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE) && m.message != WM_QUIT) DispatchMessageA(&m);
    }

private:
    static constexpr const char* kClass = "tarn test window";
    HWND m_Handle = nullptr;
};

} // namespace tarn_test
