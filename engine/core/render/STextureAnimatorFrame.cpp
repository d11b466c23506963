#include "engine/core/render/STextureAnimatorFrame.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/base/TarnCoreException.h"

#include <cmath>

static const char* const kTarnSource = "Src\\STextureAnimatorFrame";

namespace SCore {

STextureAnimatorFrame::STextureAnimatorFrame(const std::string& name, uint32_t frameHorizontal,
                                             uint32_t frameVertical)
    : STextureAnimator(name, FRAME), m_FrameHorizontal(frameHorizontal), m_FrameVertical(frameVertical)
{
}

void STextureAnimatorFrame::CalculateTransforms()
{
    TARN_TRY
    m_Transforms.clear();
    if (m_FrameHorizontal == 0 || m_FrameVertical == 0 || !m_Texture) return; // no cells
    float w = float(m_Texture->DoGetWidth()), h = float(m_Texture->DoGetHeight());
    float cw = m_Indent.Width / float(m_FrameHorizontal), ch = m_Indent.Height / float(m_FrameVertical);
    for (uint32_t r = 0; r < m_FrameVertical; ++r)
        for (uint32_t c = 0; c < m_FrameHorizontal; ++c) {
            // The cell's offset is snapped down to a whole texel.
            SMatrix m;
            m.m[0][0] = cw;
            m.m[1][1] = ch;
            m.m[2][0] = std::trunc((float(c) * cw + m_Indent.X) * w) / w;
            m.m[2][1] = std::trunc((float(r) * ch + m_Indent.Y) * h) / h;
            m.m[3][3] = 1.0f;
            m_Transforms.push_back(m);
        }
    TARN_CATCH("STextureAnimatorFrame::CalculateTransforms()")
}

void STextureAnimatorFrame::DoAnimate(float seconds)
{
    uint32_t n = m_FrameHorizontal * m_FrameVertical;
    if (n == 0 || !m_Texture) return;
    // The grid may have changed since the transforms were made.
    if (m_Transforms.size() != n) CalculateTransforms();
    // Worked out in float from the float fields (a double gives another cell for a phase just
    // below k / n), truncated to 64 bits, then taken as unsigned 32-bit: a negative speed runs
    // backwards. A position beyond 64 bits has no low bits left; one that is not finite (a phase
    // set to NaN) shows the first cell.
    const float offset = m_Phase * float(n);
    const float run = m_AnimationSpeed * seconds;
    const float position = offset + run;
    uint32_t p = std::fabs(position) < 9.2e18f ? uint32_t(uint64_t(int64_t(position))) : 0;
    if (m_State == SAS_ONCE && p >= n) m_State = SAS_HOLD;
    uint32_t i = p % n;
    if (m_Inverse) i = n - 1 - i;
    m_Texture->m_TextureMatrix = m_Transforms[i];
}

void STextureAnimatorFrame::DoSerialize(SSerializator& out)
{
    TARN_TRY
    out.BeginChild("Animation");
    out.Serialize("Name", m_Name);
    out.Serialize("Type", TextureAnimatorTypeToString(m_Type));
    out.Serialize("TextureName", TextureName());
    out.Serialize("FrameHorizontal", m_FrameHorizontal);
    out.Serialize("FrameVertical", m_FrameVertical);
    out.Serialize("AnimationSpeed", m_AnimationSpeed);
    out.Serialize("Inverse", m_Inverse);
    out.Serialize("Indent", m_Indent);
    out.EndChild();
    TARN_CATCH("STextureAnimatorFrame::DoSerialize()")
}

void STextureAnimatorFrame::DoDeserialize(SDeserializator& in, const boost::shared_ptr<STextureManager>& textures)
{
    TARN_TRY
    std::string name, textureName;
    EnterElement(in);
    in.Deserialize("Name", name);
    in.Deserialize("TextureName", textureName);
    in.Deserialize("FrameHorizontal", m_FrameHorizontal);
    in.Deserialize("FrameVertical", m_FrameVertical);
    ReadSpeed(in);
    m_Inverse = false;
    if (in.IsAvialableName("Inverse")) in.Deserialize("Inverse", m_Inverse);
    bool indent = in.IsHaveChild("Indent");
    if (indent) in.Deserialize("Indent", m_Indent);
    in.EndChild();
    SetTexture(textures->GetTexture(textureName));
    m_Name = name;
    if (indent) m_TransformsReady = false;
    CalculateTransforms();
    TARN_CATCH("STextureAnimatorFrame::DoDeserialize()")
}

} // namespace SCore
