#pragma once
// A plain OpenGL program's way of drawing textured, alpha-blended screen quads, with none of
// the device's bookkeeping: the baseline the benchmarks hold the OpenGL backend against.
// Needs a display; uses its own context on the given window.

#include "platform/testing_render.h"
#include "platform/wintypes.h"

#include <map>
#include <utility>
#include <vector>

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
    // Clears, draws the quads a device drew (in render-target pixels, each with a texture of its
    // own texture's size, blended and filtered as it was), and swaps.
    void DrawFrame(const std::vector<platform::testing::DrawnQuad>& quads);

private:
    void BeginFrame(float pixelOffset);
    // A texture of this size and filter, made at its first use.
    unsigned TextureOf(unsigned width, unsigned height, bool linear);

    void* m_Window = nullptr;
    void* m_Context = nullptr;
    unsigned m_Texture = 0;
    std::map<std::pair<std::pair<unsigned, unsigned>, bool>, unsigned> m_Textures;
    int m_Width, m_Height;
};

} // namespace bench
