#include "engine/core/render/SMaterial.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureAnimator.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/base/TarnCoreException.h"

#include <vector>


namespace SCore {
namespace {

void ApplyStage(uint32_t stage, const boost::shared_ptr<STexture>& texture,
                const boost::shared_ptr<STextureFiltration>& filtration,
                const boost::shared_ptr<STextureAnimator>& animator)
{
    if (!texture) return; // the stage keeps its previous binding
    if (filtration) texture->GetRenderDevice()->DoSetTextureFiltration(stage, *filtration);
    if (animator) {
        texture->m_TransformEnabled = true;
        animator->SetTexture(texture);
        animator->Update();
    } else {
        texture->m_TransformEnabled = false;
    }
    if (texture->m_TransformEnabled) texture->SetTextureTransformation(texture->m_TextureMatrix, stage);
    else texture->ResetTextureTransformation(stage);
    texture->DoSet(stage);
}

void WriteStage(SSerializator& out, const char* textureKey, const char* filtrationKey,
                const boost::shared_ptr<STexture>& texture, const boost::shared_ptr<STextureFiltration>& filtration,
                const boost::shared_ptr<STextureAnimator>& animator)
{
    if (!texture) return;
    out.Serialize(textureKey, texture->GetName());
    if (filtration) out.Serialize(filtrationKey, *filtration);
    if (animator) animator->DoSerialize(out);
}

// Indices of the "Animation" children of the current element, in file order.
std::vector<unsigned> AnimationChildren(SDeserializator& in)
{
    std::vector<unsigned> found;
    unsigned count = in.GetChildCount();
    for (unsigned i = 0; i < count; ++i) {
        in.BeginChild(i);
        bool animation = in.GetNodeName() == "Animation";
        in.EndChild();
        if (animation) found.push_back(i);
    }
    return found;
}

std::string AnimationTextureName(SDeserializator& in, unsigned index)
{
    std::string name;
    in.BeginChild(index);
    if (in.IsAvialableName("TextureName")) in.Deserialize("TextureName", name);
    in.EndChild();
    return name;
}

} // namespace

void SMaterial::ApplyTextureStage1() const { ApplyStage(0, m_Texture1, m_Filtration1, m_Animator1); }
void SMaterial::ApplyTextureStage2() const { ApplyStage(1, m_Texture2, m_Filtration2, m_Animator2); }

namespace {

// The render states in the order a file holds them: one list for the writer and the reader.
template <class Material, class Visit>
void VisitStates(Material& material, Visit visit)
{
    visit("CullMode", material.m_CullMode);
    visit("FillMode", material.m_FillMode);
    visit("AlphaBlend", material.m_AlphaBlend);
    visit("SrcBlend", material.m_SrcBlend);
    visit("DstBlend", material.m_DstBlend);
    visit("ZWrite", material.m_ZWrite);
    visit("Lighting", material.m_Lighting);
    visit("IsFogEnable", material.m_IsFogEnable);
}

} // namespace

void SMaterial::Serialize(SSerializator& out) const
{
    out.BeginChild("Material");
    VisitStates(*this, [&](const char* key, const auto& value) { out.Serialize(key, value); });
    out.BeginChild("Textures");
    WriteStage(out, "Texture1", "Filtration1", m_Texture1, m_Filtration1, m_Animator1);
    WriteStage(out, "Texture2", "Filtration2", m_Texture2, m_Filtration2, m_Animator2);
    out.EndChild();
    out.EndChild();
}

void SMaterial::Deserialize(SDeserializator& in, const boost::shared_ptr<STextureManager>& textures)
{
    in.BeginChild("Material");
    VisitStates(*this, [&](const char* key, auto& value) { in.Deserialize(key, value); });
    in.BeginChild("Textures");
    bool has1 = in.IsAvialableName("Texture1"), has2 = in.IsAvialableName("Texture2");
    std::string name1, name2;
    if (has1) in.Deserialize("Texture1", name1);
    if (has2) in.Deserialize("Texture2", name2);

    // Which "Animation" child belongs to which stage: two children go in writing order; one child
    // with both textures present goes to the stage whose texture it names (stage 1 if unclear).
    std::vector<unsigned> animations = AnimationChildren(in);
    int animation1 = -1, animation2 = -1;
    if (animations.size() >= 2 && has1 && has2) {
        animation1 = int(animations[0]);
        animation2 = int(animations[1]);
    } else if (!animations.empty()) {
        unsigned only = animations.back();
        if (has1 && has2) {
            std::string named = AnimationTextureName(in, only);
            if (named == name2 && named != name1) animation2 = int(only);
            else animation1 = int(only);
        } else if (has1) {
            animation1 = int(only);
        } else if (has2) {
            animation2 = int(only);
        }
    }

    auto readStage = [&](bool present, const std::string& name, const char* filtrationKey, int animation,
                         boost::shared_ptr<STexture>& texture, boost::shared_ptr<STextureFiltration>& filtration,
                         void (SMaterial::*setAnimator)(const boost::shared_ptr<STextureAnimator>&)) {
        if (!present) return;
        texture = textures->GetTexture(name);
        if (in.IsHaveChild(filtrationKey)) {
            boost::shared_ptr<STextureFiltration> f(new STextureFiltration);
            f->m_IsBilinear = true;
            in.Deserialize(filtrationKey, *f);
            filtration = f;
        }
        if (animation >= 0) {
            std::string type;
            in.BeginChild(unsigned(animation));
            in.Deserialize("Type", type);
            in.EndChild();
            boost::shared_ptr<STextureAnimator> animator = CreateTextureAnimator(StringToTextureAnimatorType(type));
            animator->ReadFromChild(unsigned(animation));
            animator->DoDeserialize(in, textures);
            (this->*setAnimator)(animator);
        }
    };
    readStage(has1, name1, "Filtration1", animation1, m_Texture1, m_Filtration1, &SMaterial::SetAnimator1);
    readStage(has2, name2, "Filtration2", animation2, m_Texture2, m_Filtration2, &SMaterial::SetAnimator2);
    in.EndChild();
    in.EndChild();
}

} // namespace SCore
