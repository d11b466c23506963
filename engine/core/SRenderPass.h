#pragma once
// Sets the world, view and projection transforms of a pass in one go.

namespace SCore {

class SRenderPass {
public:
    virtual ~SRenderPass() = default;
    virtual void DoApplyWorld() = 0;
    virtual void DoApplyView() = 0;
    virtual void DoApplyProjection() = 0;
    virtual void DoApply() = 0;
};

} // namespace SCore
