#include "engine/core/render/STextureAnimatorFloating.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/base/TarnCoreException.h"

static const char* const kTarnSource = "Src\\STextureAnimatorFloating";

namespace SCore {

STextureAnimatorFloating::STextureAnimatorFloating(const std::string& name) : STextureAnimator(name, FLOATING) {}

void STextureAnimatorFloating::DoAnimate(float seconds)
{
    if (!m_Texture) return;
    float du = 0.0f, dv = 0.0f;
    if (m_Style & FS_PLUS_U) du += m_Step;
    if (m_Style & FS_MINUS_U) du -= m_Step;
    if (m_Style & FS_PLUS_V) dv += m_Step;
    if (m_Style & FS_MINUS_V) dv -= m_Step;
    float k = m_AnimationSpeed * seconds;
    SMatrix m = IdentityMatrix();
    m.m[2][0] = du * k;
    m.m[2][1] = dv * k;
    m_Texture->m_TextureMatrix = m;
}

void STextureAnimatorFloating::DoSerialize(SSerializator& out)
{
    TARN_TRY
    out.BeginChild("Animation");
    out.Serialize("Name", m_Name);
    out.Serialize("Type", TextureAnimatorTypeToString(m_Type));
    out.Serialize("TextureName", TextureName());
    out.Serialize("Style", m_Style);
    out.Serialize("Step", m_Step);
    out.Serialize("AnimationSpeed", m_AnimationSpeed);
    out.EndChild();
    TARN_CATCH("STextureAnimatorFloating::DoSerialize()")
}

void STextureAnimatorFloating::DoDeserialize(SDeserializator& in, const boost::shared_ptr<STextureManager>& textures)
{
    TARN_TRY
    std::string name, textureName;
    EnterElement(in);
    in.Deserialize("Name", name);
    in.Deserialize("TextureName", textureName);
    in.Deserialize("Style", m_Style);
    in.Deserialize("Step", m_Step);
    ReadSpeed(in);
    in.EndChild();
    SetTexture(textures->GetTexture(textureName));
    m_Name = name;
    TARN_CATCH("STextureAnimatorFloating::DoDeserialize()")
}

} // namespace SCore
