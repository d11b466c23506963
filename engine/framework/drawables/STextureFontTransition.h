#pragma once
// Fades a texture font in or out by driving the alpha byte of its colour along a quarter sine.

#include "engine/framework/drawables/STransition.h"

#include <boost/shared_ptr.hpp>

namespace TarnEngine {

class STextureFont;

class STextureFontTransition : public STransition {
public:
    explicit STextureFontTransition(float fadeTime) : STransition(fadeTime) {}
    ~STextureFontTransition() override;

    void SetFont(const boost::shared_ptr<STextureFont>& font) { m_Font = font; }
    const boost::shared_ptr<STextureFont>& GetFont() const { return m_Font; }

protected:
    void DoUpdate(uint32_t elapsed) override;

private:
    boost::shared_ptr<STextureFont> m_Font;
};

} // namespace TarnEngine
