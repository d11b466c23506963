#pragma once
// The stroke painter: inks the player's stroke as connected white lines into a 256 x 256 canvas
// texture, shown over the whole screen by its sprite, and hands the painted part to the
// recogniser as rows of bytes.

#include "game/gameplay/gestures/RGStrokeRaster.h"

#include <boost/shared_ptr.hpp>

struct D3DLOCKED_RECT;

namespace SCore {
class STexture;
class SViewport;
} // namespace SCore

namespace TarnEngine {
class SSprite;
} // namespace TarnEngine

namespace Runegarden {

class Painter {
public:
    // Creates the canvas "PaintingSprite" on the viewport and adds it to its texture manager;
    // the canvas is not cleared here.
    explicit Painter(const boost::shared_ptr<SCore::SViewport>& viewport);
    virtual ~Painter();

    // Adds one point of the stroke, given as fractions of the canvas.
    void Render(float x, float y);
    // Empties the canvas and ends the stroke.
    void Clear();
    RGStrokeRect CalculateEffectiveRectangle();
    // Refills the stroke grid with the painted rectangle's rows; valid until the next call.
    const RGStrokeGrid& GetStrokeGrid(RGStrokeRect& rect);

    void DrawLine(int x0, int y0, int x1, int y1, const D3DLOCKED_RECT& locked);
    void PutPixel(int x, int y, const D3DLOCKED_RECT& locked);

    const boost::shared_ptr<SCore::STexture>& GetCanvas() const { return m_Canvas; }
    // The full-screen quad that shows the canvas, blended over the play field.
    const boost::shared_ptr<TarnEngine::SSprite>& GetSprite() const { return m_Sprite; }

private:
    boost::shared_ptr<TarnEngine::SSprite> m_Sprite;
    boost::shared_ptr<SCore::SViewport> m_Viewport;
    boost::shared_ptr<SCore::STexture> m_Canvas;
    UINT m_Width;
    UINT m_Height;
    UINT m_BytesPerPixel;
    RGStrokeGrid m_StrokeGrid;
    RGStrokeRaster m_Raster;   // keeps the stroke's last point
};

} // namespace Runegarden
