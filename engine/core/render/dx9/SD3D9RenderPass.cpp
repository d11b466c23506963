#include "engine/core/render/dx9/SD3D9RenderPass.h"

#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/STexture.h"

namespace SCore {

SD3D9RenderPass::SD3D9RenderPass(const boost::shared_ptr<SRenderDevice>& device)
    : m_RenderDevice(device)
{
}

void SD3D9RenderPass::DoApplyWorld() { m_RenderDevice->DoSetTransform(STT_WORLD, m_World); }
void SD3D9RenderPass::DoApplyView() { m_RenderDevice->DoSetTransform(STT_VIEW, m_View); }
void SD3D9RenderPass::DoApplyProjection() { m_RenderDevice->DoSetTransform(STT_PROJECTION, m_Projection); }

void SD3D9RenderPass::DoApply()
{
    DoApplyWorld();
    DoApplyView();
    DoApplyProjection();
}

} // namespace SCore
