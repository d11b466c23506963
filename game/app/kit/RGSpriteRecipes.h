#pragma once
// The two ways the game makes its own sprites and labels on the sprite creator's viewport: a
// sprite showing a named texture (blended by source alpha, no depth writes, placed by its top-left
// corner, point or trilinear sampling), and a label in the configured glyph-grid font with the
// font metrics applied.

#include "engine/core/math/SRect.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/STextureFont.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>

namespace Runegarden {

class RGSpriteRecipes {
public:
    static boost::shared_ptr<TarnEngine::SSprite> Sprite(const std::string& name, const std::string& texture,
                                                         bool withTransform, bool alphaBlend, bool trilinear,
                                                         const SCore::SRect& position);
    // Colour bytes: alpha, red, green, blue.
    static boost::shared_ptr<TarnEngine::STextureFont> Label(const std::string& text, float advance, float x, float y,
                                                             float width, float height, const uint8_t colour[4]);
};

} // namespace Runegarden
