#pragma once
// A plain OpenGL program's way of drawing textured, alpha-blended screen quads, with none of
// the device's bookkeeping: the baseline the benchmarks hold the OpenGL backend against.
// Needs a display; uses its own context on the given window.

#include "platform/wintypes.h"

namespace bench {

class BareQuadRenderer {
public:
    // False from Ready() when the window or the context could not be had.
    BareQuadRenderer(HWND window, int width, int height);
    ~BareQuadRenderer();
    BareQuadRenderer(const BareQuadRenderer&) = delete;
    BareQuadRenderer& operator=(const BareQuadRenderer&) = delete;
    bool Ready() const { return m_Context != nullptr; }
    // Clears, draws one quad of size x size pixels at each (x, y) pair, and swaps.
    void DrawFrame(const float* positions, int count, float size);

private:
    void* m_Window = nullptr;
    void* m_Context = nullptr;
    unsigned m_Texture = 0;
    int m_Width, m_Height;
};

} // namespace bench
