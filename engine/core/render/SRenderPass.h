#pragma once
// Sets the world, view and projection transforms of a pass in one go. The matrices are the
// pass's own: a camera writes its view here and the pass puts it on the device.

#include "engine/core/math/SMatrix.h"

namespace SCore {

SMatrix IdentityMatrix();

class SRenderPass {
public:
    SRenderPass() : m_World(IdentityMatrix()), m_View(IdentityMatrix()), m_Projection(IdentityMatrix()) {}
    virtual ~SRenderPass() = default;
    virtual void DoApplyWorld() = 0;
    virtual void DoApplyView() = 0;
    virtual void DoApplyProjection() = 0;
    virtual void DoApply() = 0;

    SMatrix m_World;
    SMatrix m_View;
    SMatrix m_Projection;
};

} // namespace SCore
