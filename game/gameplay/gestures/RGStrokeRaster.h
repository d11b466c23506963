#pragma once
// The stroke painter's rasterisation on memory that the caller holds locked: points mapped to
// pixels, connected by lines, the painted rectangle and the rows of bytes cut out of it. The
// painter runs it on its canvas texture; the network trainer runs it on plain memory, so both
// ink strokes alike.
//
// A pixel is 4 bytes; painted means all four are 255, and only the first byte is ever tested.

#include "platform/wintypes.h"

#include <vector>

namespace Runegarden {

typedef std::vector<std::vector<unsigned char>> RGStrokeGrid;

struct RGStrokeRect {
    UINT x, y, width, height;
};

class RGStrokeRaster {
public:
    static const UINT kWidth = 256;
    static const UINT kHeight = 256;
    static const UINT kBytesPerPixel = 4;
    // Line end points off the canvas are kept (so the part inside is drawn) but bounded.
    static constexpr int kCoordLimit = 4096;

    RGStrokeRaster();
    virtual ~RGStrokeRaster();

    // Adds one point given as fractions of the canvas; the first point of a stroke paints a
    // pixel, later ones a line from the previous point. Points that are not numbers are ignored.
    void AddPoint(float x, float y, BYTE* bits, INT pitch);
    // Forgets the previous point: the next point starts a new stroke.
    void EndStroke();
    bool HasLastPoint() const { return m_HasLast; }

    // Both end points painted, no gaps. Pixels outside the canvas are skipped.
    void DrawLine(int x0, int y0, int x1, int y1, BYTE* bits, INT pitch) const;
    void PutPixel(int x, int y, BYTE* bits, INT pitch) const;

    void Clear(BYTE* bits, INT pitch) const;
    // The smallest rectangle holding every painted pixel; (0, 0, 1, 1) for an empty canvas.
    RGStrokeRect EffectiveRectangle(const BYTE* bits, INT pitch) const;
    // Rows of the rectangle, 255 where painted, 0 elsewhere. `regionBits` points at the
    // rectangle's first pixel, as a lock of that region gives it.
    void CopyRows(const BYTE* regionBits, INT pitch, const RGStrokeRect& rect,
                  RGStrokeGrid& rows) const;

private:
    // Kept apart from the point: a point just off the canvas may well be (-1, -1).
    bool m_HasLast;
    int m_LastX;
    int m_LastY;
};

} // namespace Runegarden
