#pragma once
// Fades a texture font in or out by driving the alpha byte of its colour along a quarter sine.

#include "engine/core/SAnimator.h"
#include "engine/framework/STransitionState.h"

#include <boost/shared_ptr.hpp>

namespace TarnEngine {

class STextureFont;

class STextureFontTransition : public SCore::SAnimator {
public:
    // fadeTime in milliseconds, greater than 0.
    explicit STextureFontTransition(float fadeTime);
    ~STextureFontTransition() override;

    void SetFont(const boost::shared_ptr<STextureFont>& font) { m_Font = font; }
    const boost::shared_ptr<STextureFont>& GetFont() const { return m_Font; }
    void Start(STransitionState direction);

    STransitionState m_TransitionState = STS_SHOWN;

protected:
    void DoUpdate(uint32_t elapsed) override;

private:
    boost::shared_ptr<STextureFont> m_Font;
    float m_fadeTime;
};

} // namespace TarnEngine
