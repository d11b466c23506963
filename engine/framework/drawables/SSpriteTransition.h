#pragma once
// Fades a sprite in or out by driving the alpha byte of its four corner colours along a quarter
// sine between a minimum and a maximum alpha.

#include "engine/framework/drawables/STransition.h"

#include <boost/shared_ptr.hpp>

namespace TarnEngine {

class SSprite;

class SSpriteTransition : public STransition {
public:
    explicit SSpriteTransition(float fadeTime) : STransition(fadeTime) {}
    ~SSpriteTransition() override;

    void SetSprite(const boost::shared_ptr<SSprite>& sprite) { m_Sprite = sprite; }
    const boost::shared_ptr<SSprite>& GetSprite() const { return m_Sprite; }
    // The alpha (0..255) at elapsed milliseconds; settles the state once the time is over.
    uint32_t CalculateAlpha(uint32_t elapsed);
    void ApplyAlpha(uint32_t alpha);

    float m_MinAlpha = 0.0f; // fractions 0..1
    float m_MaxAlpha = 1.0f;

protected:
    void DoUpdate(uint32_t elapsed) override;

private:
    boost::shared_ptr<SSprite> m_Sprite;
};

} // namespace TarnEngine
