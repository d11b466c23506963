#pragma once
// Steps through a sheet of equal cells, one texture transform per cell.

#include "engine/core/math/SMatrix.h"
#include "engine/core/render/STextureAnimator.h"

#include <vector>

namespace SCore {

class STextureAnimatorFrame : public STextureAnimator {
public:
    STextureAnimatorFrame(const std::string& name, uint32_t frameHorizontal, uint32_t frameVertical);

    void DoAnimate(float seconds) override;
    void DoSerialize(SSerializator& out) override;
    void DoDeserialize(SDeserializator& in, const boost::shared_ptr<STextureManager>& textures) override;
    void CalculateTransforms() override;
    const std::vector<SMatrix>& Transforms() const { return m_Transforms; }

    uint32_t m_FrameHorizontal;
    uint32_t m_FrameVertical;

private:
    std::vector<SMatrix> m_Transforms;
};

} // namespace SCore
