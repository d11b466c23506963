#include "engine/framework/app/SWindow.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/app/WindowProc.h"

namespace SCore {

static const char* const kTarnSource = "Src\\SWindow";

SWindow::SWindow(const boost::shared_ptr<void>& owner, const std::string& name) : m_Owner(owner), m_Name(name) {}

SWindow::~SWindow()
{
    if (m_Registered) UnregisterClassA(m_Name.c_str(), GetModuleHandleA(nullptr));
    m_Owner.reset();
}

void SWindow::Create(int width, int height, DWORD style)
{
    TARN_TRY
    HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(WNDCLASSEXA);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &TarnEngine::WindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = module;
    wc.hIcon = LoadIconA(module, MAKEINTRESOURCEA(102));
    // The program's own module holds no cursor, so the class has none: no pointer over the client.
    m_Cursor = LoadCursorA(module, IDC_ARROW);
    wc.hCursor = m_Cursor;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(uintptr_t(COLOR_WINDOW + 1));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = m_Name.c_str();
    wc.hIconSm = wc.hIcon;
    if (!RegisterClassExA(&wc)) throw TarnCoreException("can't register window class");
    m_Registered = true;

    RECT rect{0, 0, width, height};
    AdjustWindowRect(&rect, style, FALSE);
    m_Window = CreateWindowExA(0, m_Name.c_str(), m_Name.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                               rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, module, nullptr);
    if (!m_Window) throw TarnCoreException("can't create window");
    TARN_CATCH("SWindow::Create()")
}

} // namespace SCore
