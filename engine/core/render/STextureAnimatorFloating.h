#pragma once
// Scrolls a texture: the offset grows with time in the directions of Style, without wrapping
// (the texture's address mode repeats it).

#include "engine/core/render/STextureAnimator.h"

namespace SCore {

enum FloatingStyle : uint32_t {
    FS_PLUS_U = 1,
    FS_MINUS_U = 2,
    FS_PLUS_V = 4,
    FS_MINUS_V = 8,
};

class STextureAnimatorFloating : public STextureAnimator {
public:
    explicit STextureAnimatorFloating(const std::string& name);

    void DoAnimate(float seconds) override;
    void DoSerialize(SSerializator& out) override;
    void DoDeserialize(SDeserializator& in, const boost::shared_ptr<STextureManager>& textures) override;
    void CalculateTransforms() override {}

    uint32_t m_Style = 0;
    float m_Step = 0.0f;
};

} // namespace SCore
