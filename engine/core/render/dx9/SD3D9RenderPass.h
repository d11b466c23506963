#pragma once
// A render pass on the Direct3D 9 device; its three matrices start as the identity.

#include "engine/core/math/SMatrix.h"
#include "engine/core/render/SRenderPass.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

class SRenderDevice;

class SD3D9RenderPass : public SRenderPass {
public:
    explicit SD3D9RenderPass(const boost::shared_ptr<SRenderDevice>& device);
    void DoApplyWorld() override;
    void DoApplyView() override;
    void DoApplyProjection() override;
    void DoApply() override;

    boost::shared_ptr<SRenderDevice> m_RenderDevice;
};

} // namespace SCore
