#include "game/gameplay/gestures/RGParticles.h"

#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/STextureAnimator.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SMathMatrix.h"
#include "engine/framework/drawables/SSprite.h"
#include "game/gameplay/gestures/RGParticleTrail.h"

static const char* const kTarnSource = "..\\Src\\RGParticles";

namespace Runegarden {

RGParticles::RGParticles(const boost::shared_ptr<TarnEngine::SSprite>& sprite) : m_Sprite(sprite)
{
    TARN_TRY
    TARN_ASSERT(0 != m_Sprite.get());
    TARN_CATCH("RGParticles::RGParticles()")
}

RGParticles::~RGParticles() = default;

void RGParticles::Render(const RGStrokeGrid& grid, UINT originX, UINT originY)
{
    TARN_TRY
    const std::vector<RGParticle> trail = RGParticleTrail::Place(grid, originX, originY);
    if (trail.empty()) return;
    TARN_ASSERT(0 != m_Sprite->m_Viewport.get());
    SCore::SRenderDevice& device = *m_Sprite->m_Viewport->m_RenderDevice;
    const boost::shared_ptr<SCore::STextureAnimator> animator = m_Sprite->m_Material.m_Animator1;
    for (const RGParticle& particle : trail) {
        m_Sprite->m_Position.X = particle.x;
        m_Sprite->m_Position.Y = particle.y;
        m_Sprite->m_Cached = false;
        if (animator) animator->m_Phase = particle.phase;
        if (m_Sprite->m_Enabled) {
            device.DoSetmaterial(m_Sprite->m_Material);
            m_Sprite->DoRender(TarnEngine::IdentityMatrix());
        }
    }
    TARN_CATCH("RGParticles::Render()")
}

} // namespace Runegarden
