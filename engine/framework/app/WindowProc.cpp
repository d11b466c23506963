#include "engine/framework/app/WindowProc.h"

#include "engine/framework/app/SApplication.h"

#include <atomic>

namespace TarnEngine {

namespace {

std::atomic<SApplication*> g_Application{nullptr};
std::atomic<bool> g_LeftButton{false};
std::atomic<bool> g_RightButton{false};

} // namespace

SApplication* GetApplication() { return g_Application.load(std::memory_order_acquire); }
void SetApplication(SApplication* application) { g_Application.store(application, std::memory_order_release); }

void ClearApplication(SApplication* application)
{
    g_Application.compare_exchange_strong(application, nullptr, std::memory_order_acq_rel);
}

bool IsLeftButtonDown() { return g_LeftButton.load(std::memory_order_acquire); }
bool IsRightButtonDown() { return g_RightButton.load(std::memory_order_acquire); }

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (SApplication* application = GetApplication()) application->HandleMessage(message, wParam, lParam);
    switch (message) {
    case WM_LBUTTONDOWN: g_LeftButton = true; return 0;
    case WM_LBUTTONUP: g_LeftButton = false; return 0;
    case WM_RBUTTONDOWN: g_RightButton = true; return 0;
    case WM_RBUTTONUP: g_RightButton = false; return 0;
    case WM_KILLFOCUS:
        // A button released while another window had the focus never reaches this one.
        g_LeftButton = false;
        g_RightButton = false;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            SetCursor(reinterpret_cast<HCURSOR>(uintptr_t(GetClassLongA(window, GCL_HCURSOR))));
            return 1;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_COMMAND: return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace TarnEngine
