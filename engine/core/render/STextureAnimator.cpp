#include "engine/core/render/STextureAnimator.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureAnimatorFloating.h"
#include "engine/core/render/STextureAnimatorFrame.h"
#include "engine/core/base/TarnCoreException.h"

#include <cmath>

static const char* const kTarnSource = "Src\\STextureAnimator";

namespace SCore {

STextureAnimator::STextureAnimator(const std::string& name, TextureAnimatorType type)
    : SAnimator(name), m_Type(type)
{
    m_Indent.X = 0.0f;
    m_Indent.Y = 0.0f;
    m_Indent.Width = 1.0f;
    m_Indent.Height = 1.0f;
}

void STextureAnimator::SetTexture(const boost::shared_ptr<STexture>& texture)
{
    TARN_TRY
    m_Texture = texture;
    TARN_CATCH("STextureAnimator::SetTexture()")
}

void STextureAnimator::SetIndent(const SRect& indent)
{
    m_Indent = indent;
    m_TransformsReady = false;
}

std::string STextureAnimator::TextureName() const { return m_Texture ? m_Texture->GetName() : std::string(); }

void STextureAnimator::EnterElement(SDeserializator& in)
{
    if (m_ChildIndex >= 0) in.BeginChild(unsigned(m_ChildIndex));
    else in.BeginChild("Animation");
    m_ChildIndex = -1;
}

void STextureAnimator::ReadSpeed(SDeserializator& in)
{
    in.Deserialize("AnimationSpeed", m_AnimationSpeed);
    // The number reader takes "nan" and "inf"; such a speed would make every cell undefined.
    if (!std::isfinite(m_AnimationSpeed)) throw TarnCoreException("AnimationSpeed is not a finite number");
}

void STextureAnimator::DoUpdate(uint32_t elapsedMs)
{
    TARN_TRY
    // Without a texture there is nothing to drive; the transforms wait for one.
    if (!m_Texture) return;
    if (!m_TransformsReady) {
        CalculateTransforms();
        m_TransformsReady = true;
    }
    DoAnimate(float(elapsedMs) * 0.001f);
    TARN_CATCH("STextureAnimator::DoUpdate()")
}

boost::shared_ptr<STextureAnimator> CreateTextureAnimator(TextureAnimatorType type)
{
    switch (type) {
    case FLOATING: return boost::shared_ptr<STextureAnimator>(new STextureAnimatorFloating("UNKNOWN"));
    case FRAME: return boost::shared_ptr<STextureAnimator>(new STextureAnimatorFrame("UNKNOWN", 0, 0));
    default: throw TarnCoreException("unknown texture animator type" + std::to_string(int32_t(type)));
    }
}

std::string TextureAnimatorTypeToString(TextureAnimatorType type)
{
    switch (type) {
    case FLOATING: return "FLOATING";
    case FRAME: return "FRAME";
    default: return "UNKNOWN";
    }
}

TextureAnimatorType StringToTextureAnimatorType(const std::string& text)
{
    if (text == "FLOATING") return FLOATING;
    if (text == "FRAME") return FRAME;
    throw TarnCoreException("unknown string with TextureAnimatorType:" + text);
}

} // namespace SCore
