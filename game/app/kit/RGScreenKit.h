#pragma once
// The pieces every screen is made of: sprites cut from a named texture, image buttons, labels in
// the configured glyph-grid font, fades, and drawing a sprite only while it is visible. All are
// made on the sprite creator's viewport.

#include "engine/core/math/SRect.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/SSpriteTransition.h"
#include "engine/framework/drawables/STextureFont.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/ui/SUILabel.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>

namespace Runegarden {

class RGScreenKit {
public:
    typedef boost::shared_ptr<TarnEngine::SSprite> SpritePtr;
    typedef boost::shared_ptr<TarnEngine::UI::SUIButton> ButtonPtr;
    typedef boost::shared_ptr<TarnEngine::SSpriteTransition> FadePtr;

    // A sprite of the texture with the standard material, showing the texture rectangle
    // (left, top)-(right, bottom).
    static SpritePtr Sprite(const std::string& texture, bool withTransform, float left, float top, float right,
                            float bottom);
    // A button on the viewport; the pressed picture is the normal one.
    static ButtonPtr Button(const SpritePtr& normal, const SpritePtr& over, float x, float y, float w, float h);
    // A button whose pictures are horizontal strips of one texture, u from 0 to right.
    static ButtonPtr StripButton(const std::string& texture, float right, float normalTop, float normalBottom,
                                 float overTop, float overBottom, float x, float y, float w, float h);
    // A button of two textures: the ...PAS one normal and pressed, the ...ACT one under the pointer.
    static ButtonPtr PairButton(const std::string& normal, const std::string& over, float right, float bottom,
                                float x, float y, float w, float h);
    // A text in the configured localised font, with the font metrics applied. Colour bytes are
    // alpha, red, green, blue.
    static boost::shared_ptr<TarnEngine::STextureFont> Font(const std::string& text, float advance, float x, float y,
                                                            float w, float h, uint8_t alpha, uint8_t red,
                                                            uint8_t green, uint8_t blue);
    // A label on the viewport in the configured localised font, centred, metrics applied.
    static boost::shared_ptr<TarnEngine::UI::SUILabel> Label(uint32_t widthInChars, float w, float h, float spacing,
                                                             float x, float y, const std::wstring& text);
    // Half the width of a box of the given characters. The engine takes a text box as 0 wide (its
    // width in viewport fractions is truncated), so a text centred on its box is centred on the
    // box's left edge; side paddings of this size centre it on the whole box again.
    static float HalfBox(uint32_t chars, float cellWidth, float spacing);
    // The label's text centred on its whole box of its width in characters.
    static void CentreOnBox(TarnEngine::UI::SUILabel& label);
    static FadePtr Fade(float milliseconds, const SpritePtr& sprite, TarnEngine::STransitionState state);
    // Draws the sprite with its own material when it is there and visible.
    static void Draw(const SpritePtr& sprite);
    static void Draw(const boost::shared_ptr<TarnEngine::STextureFont>& font);
    static void SetText(TarnEngine::UI::SUILabel& label, const std::wstring& text);
    // The font's text colour, drawn anew at its next draw.
    static void SetColour(TarnEngine::STextureFont& font, uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue);
    // Each narrow character widened to one wide character.
    static std::wstring Widen(const std::string& text);
    // Milliseconds of the system clock since start, as unsigned 32-bit arithmetic.
    static uint32_t Since(uint32_t start);
};

} // namespace Runegarden
