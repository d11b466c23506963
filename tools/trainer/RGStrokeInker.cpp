#include "tools/trainer/RGStrokeInker.h"

#include "engine/core/render/dx9/SD3D9RenderDevice.h"
#include "engine/core/render/dx9/SD3D9Viewport.h"
#include "game/gameplay/gestures/GestureRecognizer.h"
#include "platform/testing.h"

namespace Runegarden {

RGStrokeInker::RGStrokeInker()
{
    // The tool never draws: the recording device holds the canvas in memory.
    platform::testing::SetRenderMode(platform::testing::RenderMode::Headless);
    m_Window = platform::testing::CreateRenderTestWindow(1024, 768);
    m_Viewport.reset(new SCore::SD3D9Viewport);
    static_cast<SCore::SD3D9RenderDevice&>(*m_Viewport->m_RenderDevice).Create(m_Window, 1024, 768, 0, false);
    m_Painter.reset(new Painter(m_Viewport));
}

RGStrokeInker::~RGStrokeInker()
{
    m_Painter.reset();
    m_Viewport.reset();
    platform::testing::DestroyRenderTestWindow(m_Window);
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
