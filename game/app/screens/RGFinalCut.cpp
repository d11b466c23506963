#include "game/app/screens/RGFinalCut.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/STextureFiltration.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "game/app/kit/RGScreenKit.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/win32.h"

#include <cmath>

static const char* const kTarnSource = "..\\Src\\RGFinalCut";

using TarnEngine::STS_FADE_IN;
using TarnEngine::STS_FADE_OUT;
using TarnEngine::STS_HIDDEN;
using TarnEngine::STS_SHOWN;

namespace Runegarden {

namespace {

bool Within(uint32_t e, uint32_t from, uint32_t to) { return e >= from && e <= to; }

// Starts the fade only from the state named, so a window spanning many frames starts it once.
void StartFrom(TarnEngine::SSpriteTransition& fade, TarnEngine::STransitionState from,
               TarnEngine::STransitionState direction)
{
    if (fade.m_TransitionState == from) fade.Start(direction);
}

} // namespace

RGFinalCut::RGFinalCut() : m_Finished(false), m_StartTime(0) { Create(); }

void RGFinalCut::Create()
{
    TARN_TRY
    m_Picture = RGScreenKit::Sprite("FINALCUT", true, 0.0f, 0.0f, 1.0f, 0.75f);
    m_Picture->m_Material.m_DstBlend = 8;
    m_Picture->m_Material.m_AlphaOp = 4;
    m_Picture->m_Position = SCore::SRect{0.0f, 0.0f, 0.99f, 0.99f};
    m_PictureFade = RGScreenKit::Fade(4000.0f, m_Picture, STS_HIDDEN);
    m_ScrollText = RGScreenKit::Sprite("FINALTEXT", true, 0.0f, 0.0f, 1.0f, 1.0f);
    m_ScrollText->m_Position = SCore::SRect{0.25f, 0.999f, 0.5f, 0.666667f};
    m_SecondText = RGScreenKit::Sprite("FINALTEXT2", true, 0.0f, 0.0f, 0.705078125f, 0.54296875f);
    m_SecondText->m_Material.m_AlphaOp = 4;
    m_SecondText->m_Position = SCore::SRect{0.26497397f, 0.40950522f, 0.4700521f, 0.18098958f};
    m_ThirdText = RGScreenKit::Sprite("FINALTEXT3", true, 0.0f, 0.0f, 0.66796875f, 0.96875f);
    m_ThirdText->m_Material.m_AlphaOp = 4;
    m_ThirdText->m_Position = SCore::SRect{0.3330078125f, 0.4596354f, 0.333984375f, 0.0807292f};
    m_SecondFade = RGScreenKit::Fade(4000.0f, m_SecondText, STS_HIDDEN);
    m_ThirdFade = RGScreenKit::Fade(4000.0f, m_ThirdText, STS_HIDDEN);
    TARN_CATCH("RGFinalCut::Create()")
}

void RGFinalCut::Rewind()
{
    m_Finished = false;
    m_StartTime = timeGetTime();
}

void RGFinalCut::Render()
{
    TARN_TRY
    const uint32_t e = RGScreenKit::Since(m_StartTime);
    m_PictureFade->Update();
    m_SecondFade->Update();
    m_ThirdFade->Update();
    if (e < 5000) StartFrom(*m_PictureFade, STS_HIDDEN, STS_FADE_IN);
    m_Picture->Draw();
    m_SecondText->Draw();
    m_ThirdText->Draw();

    if (Within(e, 7001, 8999) && m_PictureFade->m_TransitionState == STS_SHOWN) {
        m_PictureFade->m_MinAlpha = 0.4f;
        m_PictureFade->Start(STS_FADE_OUT);
    }
    if (Within(e, 24001, 29999)) StartFrom(*m_PictureFade, STS_HIDDEN, STS_FADE_IN);
    if (Within(e, 30001, 33999) && m_PictureFade->m_TransitionState == STS_SHOWN) {
        m_PictureFade->m_MinAlpha = 0.0f;
        m_PictureFade->Start(STS_FADE_OUT);
    }
    if (Within(e, 34001, 35999)) StartFrom(*m_SecondFade, STS_HIDDEN, STS_FADE_IN);
    if (Within(e, 42001, 43999)) StartFrom(*m_SecondFade, STS_SHOWN, STS_FADE_OUT);
    if (Within(e, 46001, 49999)) {
        m_Picture->m_Material.m_Texture1 =
            RGSpriteCreator::GetViewport()->m_TextureManager->GetTexture("FINALCUT2");
        m_Picture->m_Position.Y = 0.08658854f;
        m_Picture->m_Cached = false;
        StartFrom(*m_PictureFade, STS_HIDDEN, STS_FADE_IN);
    }
    if (Within(e, 58001, 59999)) StartFrom(*m_PictureFade, STS_SHOWN, STS_FADE_OUT);
    if (Within(e, 62001, 63999)) StartFrom(*m_ThirdFade, STS_HIDDEN, STS_FADE_IN);

    float p = 0.0f;
    if (e > 7000 && e < 17000) p = 0.833f * static_cast<float>(e - 7000) / 10000.0f;
    else if (e >= 17000 && e <= 24000) p = 0.833f;
    else if (e > 24000 && e <= 29999) p = 0.833f + static_cast<float>(e - 24000) / 5000.0f;
    m_ScrollText->m_Position.Y = std::trunc((1.0f - p) * 768.0f) / 768.0f - 0.5f / 768.0f;
    m_ScrollText->m_ColorLU = m_ScrollText->m_ColorRU = m_ScrollText->m_ColorLD = m_ScrollText->m_ColorRD = 0xFFFFFFFF;
    m_ScrollText->m_Cached = false;
    m_ScrollText->Draw();
    TARN_CATCH("RGFinalCut::Render()")
}

} // namespace Runegarden
