#include "tools/trainer/RGStrokeInker.h"

#include "engine/core/render/dx9/SD3D9RenderDevice.h"
#include "engine/core/render/dx9/SD3D9Viewport.h"
#include "game/gameplay/gestures/GestureRecognizer.h"
#include "platform/display.h"
#include "platform/win32.h"

#include <stdexcept>

namespace Runegarden {
namespace {

const char kWindowClass[] = "RGStrokeInker";

LRESULT InkerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

RGStrokeInker::RGStrokeInker()
{
    // The tool never shows anything: a headless device holds the canvas in memory, on a window
    // that exists only for the device.
    platform::SetDisplayDriver(platform::DisplayDriver::Headless);
    static const ATOM windowClass = [] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &InkerWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kWindowClass;
        return RegisterClassExA(&wc);
    }();
    m_Window = windowClass ? CreateWindowExA(0, kWindowClass, "stroke inker", WS_POPUP, 0, 0, 1024, 768,
                                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)
                           : nullptr;
    if (!m_Window) throw std::runtime_error("can't create the stroke inker's window");
    m_Viewport.reset(new SCore::SD3D9Viewport);
    static_cast<SCore::SD3D9RenderDevice&>(*m_Viewport->m_RenderDevice).Create(m_Window, 1024, 768, 0, false);
    m_Painter.reset(new Painter(m_Viewport));
}

RGStrokeInker::~RGStrokeInker()
{
    m_Painter.reset();
    m_Viewport.reset();
    DestroyWindow(m_Window);
}

const RGStrokeGrid& RGStrokeInker::Ink(const std::vector<RGStrokePoint>& points)
{
    m_Painter->Clear();
    for (const RGStrokePoint& p : points) m_Painter->Render(p.x, p.y);
    RGStrokeRect rect;
    return m_Painter->GetStrokeGrid(rect);
}

std::vector<double> RGStrokeInker::Cells(const std::vector<RGStrokePoint>& points)
{
    const RGStrokeGrid& rows = Ink(points);
    if (rows.size() < 2) return std::vector<double>();
    return GestureRecognizer::Reduce(rows);
}

} // namespace Runegarden
