#pragma once
// An animator driving a texture's transform matrix: a flip-book of cells (STextureAnimatorFrame)
// or a scroll (STextureAnimatorFloating). Read from and written to the "Animation" element.

#include "engine/core/render/SAnimator.h"
#include "engine/core/math/SRect.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

class STexture;
class STextureManager;
class SSerializator;
class SDeserializator;

enum TextureAnimatorType : int32_t {
    UNKNOWN = 0,
    FLOATING = 1,
    FRAME = 2,
};

class STextureAnimator : public SAnimator {
public:
    STextureAnimator(const std::string& name, TextureAnimatorType type);
    ~STextureAnimator() override = default;

    virtual void DoAnimate(float seconds) = 0;
    virtual void DoSerialize(SSerializator& out) = 0;
    virtual void DoDeserialize(SDeserializator& in, const boost::shared_ptr<STextureManager>& textures) = 0;
    virtual void CalculateTransforms() = 0;

    void SetTexture(const boost::shared_ptr<STexture>& texture);
    const boost::shared_ptr<STexture>& GetTexture() const { return m_Texture; }
    TextureAnimatorType GetType() const { return m_Type; }
    // Setting any part of the indent makes the next update work the transforms out again.
    void SetIndent(const SRect& indent);
    const SRect& GetIndent() const { return m_Indent; }
    bool AreTransformsReady() const { return m_TransformsReady; }
    // The next DoDeserialize reads the current element's child of this index rather than the
    // last one named "Animation" (a material with two animated stages has two of them).
    void ReadFromChild(unsigned index) { m_ChildIndex = int(index); }

    float m_AnimationSpeed = 1.0f;
    float m_Phase = 0.0f;
    bool m_Inverse = false;

protected:
    void DoUpdate(uint32_t elapsedMs) override;
    // The name of the texture for writing: empty when there is none.
    std::string TextureName() const;
    void EnterElement(SDeserializator& in);
    // Reads "AnimationSpeed", refusing a value that is not finite.
    void ReadSpeed(SDeserializator& in);

    boost::shared_ptr<STexture> m_Texture;
    TextureAnimatorType m_Type;
    SRect m_Indent;
    bool m_TransformsReady = false;
    int m_ChildIndex = -1;
};

boost::shared_ptr<STextureAnimator> CreateTextureAnimator(TextureAnimatorType type);
std::string TextureAnimatorTypeToString(TextureAnimatorType type);
TextureAnimatorType StringToTextureAnimatorType(const std::string& text);

} // namespace SCore
