#include "bench/support/ShownWindow.h"

#include "platform/win32.h"

namespace bench {
namespace {

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

ShownWindow::ShownWindow(const char* title, int width, int height) : m_Class(title)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = m_Class;
    RegisterClassExA(&windowClass);
    m_Window = CreateWindowExA(0, m_Class, title, 0x06CA0000, CW_USEDEFAULT, CW_USEDEFAULT, width, height, nullptr,
                               nullptr, windowClass.hInstance, nullptr);
    ShowWindow(m_Window, SW_SHOWDEFAULT);
}

ShownWindow::~ShownWindow()
{
    DestroyWindow(m_Window);
    UnregisterClassA(m_Class, GetModuleHandleA(nullptr));
}

} // namespace bench
