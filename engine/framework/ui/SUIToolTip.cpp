#include "engine/framework/ui/SUIToolTip.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/SSpriteTransition.h"
#include "engine/framework/drawables/STextureFont.h"
#include "engine/framework/drawables/STextureFontTransition.h"

static const char* const kTarnSource = "Src\\SUIToolTip";

namespace TarnEngine {
namespace UI {

namespace {
const float kFadeTime = 500.0f;
// The fades write the vertex alpha; the texture's own alpha alone would keep a hidden tip opaque.
const uint32_t kModulate = 4;
}

SUIToolTip::SUIToolTip() : m_Label(new SUILabel) {}

void SUIToolTip::Create(uint32_t widthInChars, float cellWidth, float cellHeight, float spacing,
                        const std::string& textureName, float charsW, float charsH, float x, float y,
                        const std::wstring& text, int32_t fading)
{
    TARN_TRY
    m_Label->SetViewport(m_Viewport);
    m_Label->Create(widthInChars, cellWidth, cellHeight, spacing, textureName, charsW, charsH, x, y, text);
    CreateFades(fading);
    TARN_CATCH("SUIToolTip::Create()")
}

void SUIToolTip::CreateFades(int32_t fading)
{
    TARN_TRY
    m_Fading = fading;
    m_SpriteFade.reset();
    m_FontFade.reset();
    if (fading == 0) return;
    m_SpriteFade.reset(new SSpriteTransition(kFadeTime));
    if (m_Label->m_Background) {
        SCore::SMaterial& material = m_Label->m_Background->m_Material;
        material.m_AlphaBlend = 1;
        material.m_SrcBlend = 5; // source alpha
        material.m_DstBlend = 6; // inverse source alpha
        material.m_AlphaOp = kModulate;
    }
    m_SpriteFade->SetSprite(m_Label->m_Background);
    m_SpriteFade->m_TransitionState = STS_HIDDEN;
    m_FontFade.reset(new STextureFontTransition(kFadeTime));
    m_FontFade->SetFont(m_Label->GetFont());
    if (m_Label->GetFont()) m_Label->GetFont()->m_Material.m_AlphaOp = kModulate;
    m_FontFade->m_TransitionState = STS_HIDDEN;
    TARN_CATCH("SUIToolTip::CreateFades()")
}

void SUIToolTip::Show()
{
    if (m_Shown) return;
    if (m_SpriteFade) m_SpriteFade->Start(STS_FADE_IN);
    if (m_FontFade) m_FontFade->Start(STS_FADE_IN);
    m_Shown = true;
}

void SUIToolTip::Hide()
{
    if (!m_Shown) return;
    if (m_SpriteFade) m_SpriteFade->Start(STS_FADE_OUT);
    if (m_FontFade) m_FontFade->Start(STS_FADE_OUT);
    m_Shown = false;
}

void SUIToolTip::SetHiddenAtOnce()
{
    if (m_SpriteFade) m_SpriteFade->m_TransitionState = STS_HIDDEN;
    if (m_FontFade) m_FontFade->m_TransitionState = STS_HIDDEN;
    m_Shown = false;
}

void SUIToolTip::DoRender(float x, float y)
{
    TARN_TRY
    if (m_Fading != 1 && !m_Shown) return;
    if (m_SpriteFade) m_SpriteFade->Update();
    if (m_FontFade) m_FontFade->Update();
    if (!m_Label->IsHidden()) m_Label->DoRender(x, y);
    TARN_CATCH("SUIToolTip::DoRender()")
}

} // namespace UI
} // namespace TarnEngine
