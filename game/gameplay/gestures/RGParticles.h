#pragma once
// The particle trail over a stroke: one animated particle sprite drawn at each trail place.

#include "game/gameplay/gestures/RGStrokeRaster.h"

#include <boost/shared_ptr.hpp>

namespace TarnEngine {
class SSprite;
} // namespace TarnEngine

namespace Runegarden {

class RGParticles {
public:
    // The sprite must be created on its viewport; the animator of its material's first texture
    // stage, when it has one, gives each particle its phase.
    explicit RGParticles(const boost::shared_ptr<TarnEngine::SSprite>& sprite);
    virtual ~RGParticles();

    // `originX`, `originY`: the canvas pixel of the grid's first byte (the painted rectangle's).
    void Render(const RGStrokeGrid& grid, UINT originX, UINT originY);

    const boost::shared_ptr<TarnEngine::SSprite>& GetSprite() const { return m_Sprite; }

private:
    boost::shared_ptr<TarnEngine::SSprite> m_Sprite;
};

} // namespace Runegarden
