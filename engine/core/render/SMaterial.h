#pragma once
// How a mesh or sprite is drawn: render states and up to two texture stages, each with an
// optional filtration and animator. Copies share textures, filtrations and animators.

#include "engine/core/serialization/STextureFiltration.h"

#include <boost/shared_ptr.hpp>
#include <cstdint>

namespace SCore {

class STexture;
class STextureAnimator;
class STextureManager;
class SSerializator;
class SDeserializator;

class SMaterial {
public:
    SMaterial() = default;

    boost::shared_ptr<STexture> GetTexture1() const { return m_Texture1; }
    boost::shared_ptr<STexture> GetTexture2() const { return m_Texture2; }
    boost::shared_ptr<STextureFiltration> GetFiltration1() const { return m_Filtration1; }
    boost::shared_ptr<STextureFiltration> GetFiltration2() const { return m_Filtration2; }
    void SetAnimator1(const boost::shared_ptr<STextureAnimator>& animator) { m_Animator1 = animator; }
    void SetAnimator2(const boost::shared_ptr<STextureAnimator>& animator) { m_Animator2 = animator; }

    // Called by the render device for stages 0 and 1: filtration, animation, transform, binding.
    void ApplyTextureStage1() const;
    void ApplyTextureStage2() const;

    void Serialize(SSerializator& out) const;
    void Deserialize(SDeserializator& in, const boost::shared_ptr<STextureManager>& textures);

    uint32_t m_CullMode = 1;
    uint32_t m_FillMode = 3;
    int32_t m_AlphaBlend = 0;
    uint32_t m_SrcBlend = 5;
    uint32_t m_DstBlend = 8;
    int32_t m_ZWrite = 1;
    int32_t m_Lighting = 0;
    uint32_t m_ColorOp = 4;
    uint32_t m_AlphaOp = 2;
    boost::shared_ptr<STexture> m_Texture1, m_Texture2;
    boost::shared_ptr<STextureFiltration> m_Filtration1, m_Filtration2;
    boost::shared_ptr<STextureAnimator> m_Animator1, m_Animator2;
    int32_t m_IsFogEnable = 0;
};

} // namespace SCore
