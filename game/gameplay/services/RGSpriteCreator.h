#pragma once
// How the game and its gameplay make sprites without holding the render viewport: one viewport,
// set once at start-up, and two makers, one of them giving the game's standard sprite material.
// Beside them, the snapping of screen fractions to the pixel grid of a reference resolution.

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>

namespace SCore {
class SViewport;
}

namespace TarnEngine {
class SSprite;
}

namespace Runegarden {

class RGSpriteCreator {
public:
    // Written once on the main thread before the loader starts; read only afterwards.
    static void SetViewport(const boost::shared_ptr<SCore::SViewport>& viewport);
    // Empty before SetViewport.
    static boost::shared_ptr<SCore::SViewport> GetViewport();

    // An unnamed sprite created on the viewport, without a texture.
    static boost::shared_ptr<TarnEngine::SSprite> CreateSprite(bool withTransform);
    // A sprite named after the texture, showing it with the standard material (alpha blending of
    // source alpha over inverse source alpha, no depth writes, point sampling), placed by its
    // top-left corner. An unknown texture fails as the texture manager's look-up fails.
    static boost::shared_ptr<TarnEngine::SSprite> CreateTexturedSprite(const std::string& textureName,
                                                                       bool withTransform);
};

// Half a pixel before the start of the pixel that v falls in, on a grid of n pixels.
float AlignToTexel(uint32_t pixels, float fraction);
// The start of the pixel that v falls in, on a grid of n pixels.
float AlignToPixel(uint32_t pixels, float fraction);

} // namespace Runegarden
