#include "game/gameplay/gestures/RGStrokeRaster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace Runegarden {

namespace {

int ToPixel(float fraction, UINT size)
{
    const float limit = static_cast<float>(RGStrokeRaster::kCoordLimit);
    const float scaled = std::max(-limit, std::min(limit, static_cast<float>(size) * fraction));
    return static_cast<int>(scaled);   // truncation toward zero
}

} // namespace

RGStrokeRaster::RGStrokeRaster() : m_HasLast(false), m_LastX(-1), m_LastY(-1) {}

RGStrokeRaster::~RGStrokeRaster() = default;

void RGStrokeRaster::AddPoint(float x, float y, BYTE* bits, INT pitch)
{
    if (std::isnan(x) || std::isnan(y)) return;
    const int px = ToPixel(x, kWidth);
    const int py = ToPixel(y, kHeight);
    if (!HasLastPoint())
        PutPixel(px, py, bits, pitch);
    else
        DrawLine(m_LastX, m_LastY, px, py, bits, pitch);
    m_HasLast = true;
    m_LastX = px;
    m_LastY = py;
}

void RGStrokeRaster::EndStroke()
{
    m_HasLast = false;
    m_LastX = -1;
    m_LastY = -1;
}

void RGStrokeRaster::DrawLine(int x0, int y0, int x1, int y1, BYTE* bits, INT pitch) const
{
    if (x0 == x1) {
        for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) PutPixel(x0, y, bits, pitch);
        return;
    }
    if (y0 == y1) {
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) PutPixel(x, y0, bits, pitch);
        return;
    }
    // Bresenham: one pixel per step along the longer axis (x on a tie), from its lower end.
    const bool steep = std::abs(y1 - y0) > std::abs(x1 - x0);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const int dx = x1 - x0;
    const int dy = std::abs(y1 - y0);
    const int yStep = y0 < y1 ? 1 : -1;
    int error = dx / 2;
    int y = y0;
    for (int x = x0; x <= x1; ++x) {
        if (steep)
            PutPixel(y, x, bits, pitch);
        else
            PutPixel(x, y, bits, pitch);
        error -= dy;
        if (error < 0) {
            y += yStep;
            error += dx;
        }
    }
}

void RGStrokeRaster::PutPixel(int x, int y, BYTE* bits, INT pitch) const
{
    // The caller may hand points just off the canvas (the play field is offset from the cursor).
    if (x < 0 || y < 0 || x >= static_cast<int>(kWidth) || y >= static_cast<int>(kHeight)) return;
    std::memset(bits + static_cast<ptrdiff_t>(y) * pitch + static_cast<ptrdiff_t>(x) * kBytesPerPixel,
                255, kBytesPerPixel);
}

void RGStrokeRaster::Clear(BYTE* bits, INT pitch) const
{
    std::memset(bits, 0, static_cast<size_t>(kHeight) * static_cast<size_t>(pitch));
}

RGStrokeRect RGStrokeRaster::EffectiveRectangle(const BYTE* bits, INT pitch) const
{
    UINT minX = kWidth - 1, maxX = 0, minY = kHeight - 1, maxY = 0;
    for (UINT y = 0; y < kHeight; ++y) {
        const BYTE* row = bits + static_cast<ptrdiff_t>(y) * pitch;
        for (UINT x = 0; x < kWidth; ++x) {
            if (row[x * kBytesPerPixel] == 0) continue;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    if (maxX == 0 && minX == kWidth - 1) minX = maxX = 0;
    if (maxY == 0 && minY == kHeight - 1) minY = maxY = 0;
    RGStrokeRect rect = {minX, minY, maxX - minX + 1, maxY - minY + 1};
    return rect;
}

void RGStrokeRaster::CopyRows(const BYTE* regionBits, INT pitch, const RGStrokeRect& rect,
                              RGStrokeGrid& rows) const
{
    rows.clear();
    rows.reserve(rect.height);
    for (UINT r = 0; r < rect.height; ++r) {
        const BYTE* src = regionBits + static_cast<ptrdiff_t>(r) * pitch;
        std::vector<unsigned char> row(rect.width);
        for (UINT c = 0; c < rect.width; ++c) row[c] = src[c * kBytesPerPixel];
        rows.push_back(std::move(row));
    }
}

} // namespace Runegarden
