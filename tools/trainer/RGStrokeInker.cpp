#include "tools/trainer/RGStrokeInker.h"

#include "game/gameplay/GestureRecognizer.h"

namespace Runegarden {

RGStrokeInker::RGStrokeInker() : m_Canvas(static_cast<size_t>(RGStrokeRaster::kHeight) * kPitch, 0) {}

const RGStrokeGrid& RGStrokeInker::Ink(const std::vector<RGStrokePoint>& points)
{
    m_Raster.Clear(m_Canvas.data(), kPitch);
    m_Raster.EndStroke();
    for (const RGStrokePoint& p : points) m_Raster.AddPoint(p.x, p.y, m_Canvas.data(), kPitch);
    const RGStrokeRect rect = m_Raster.EffectiveRectangle(m_Canvas.data(), kPitch);
    const BYTE* region = m_Canvas.data() + rect.y * kPitch + rect.x * RGStrokeRaster::kBytesPerPixel;
    m_Raster.CopyRows(region, kPitch, rect, m_Rows);
    return m_Rows;
}

std::vector<double> RGStrokeInker::Cells(const std::vector<RGStrokePoint>& points)
{
    const RGStrokeGrid& rows = Ink(points);
    if (rows.size() < 2) return std::vector<double>();
    return GestureRecognizer::Reduce(rows);
}

} // namespace Runegarden
