#include "game/app/screens/RGIntro.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/STextureFiltration.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "game/app/kit/RGEventBinding.h"
#include "game/app/kit/RGScreenKit.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/win32.h"

static const char* const kTarnSource = "..\\Src\\RGIntro";

using TarnEngine::STS_FADE_IN;
using TarnEngine::STS_FADE_OUT;
using TarnEngine::STS_HIDDEN;
using TarnEngine::STS_SHOWN;

namespace Runegarden {

RGIntro::RGIntro(const boost::shared_ptr<TarnEngine::SInputMessager>& input)
    : m_Finished(false), m_Input(input), m_CurrentSlide(0), m_CurrentPicture(0), m_StartTime(0), m_Schedule(0),
      m_Restart(true)
{
    Create();
}

void RGIntro::Create()
{
    m_Background = RGSpriteCreator::CreateSprite(true);
    m_Background->m_Material.m_AlphaBlend = 1;
    m_Background->m_Material.m_Filtration1.reset(new SCore::STextureFiltration);
    m_Background->m_Position = SCore::SRect{0.0f, 0.0f, 0.99f, 0.99f};
    m_Background->m_CoordAligment = TarnEngine::SCA_LEFT_TOP;
    m_Background->m_TexCoords = SCore::SRect{0.0f, 0.0f, 1.0f, 0.75f};

    m_Form.reset(new TarnEngine::UI::SUIForm("Intro"));
    m_Form->SetViewport(RGSpriteCreator::GetViewport());
    m_Form->m_W = 1.0f;
    m_Form->m_H = 1.0f;
    m_SkipButton = RGScreenKit::StripButton("SKIPBTNACTPAS", 1.0f, 0.0f, 0.4375f, 0.4375f, 0.875f, 0.78076171875f,
                                            0.87434894f, 0.125f, 0.072916664f);
    BindClickEvent(*m_SkipButton, &RGIntro::OnSkip, this);
    m_Form->AddControl(m_SkipButton);
    if (m_Input) m_Input->AddReceiver(m_Form);
    m_Form->SetEnabled(false);
    m_Finished.Set(false);

    m_Picture = RGSpriteCreator::CreateSprite(true);
    m_Picture->m_Material.m_Filtration1.reset(new SCore::STextureFiltration);
    m_Picture->m_CoordAligment = TarnEngine::SCA_LEFT_TOP;
    m_Picture->m_Material.m_AlphaOp = 4;
    m_BackgroundFade = RGScreenKit::Fade(2000.0f, m_Background, STS_HIDDEN);
    m_PictureFade = RGScreenKit::Fade(2000.0f, m_Picture, STS_HIDDEN);
    LoadSlides();
}

void RGIntro::LoadSlides()
{
    SCore::SXMLDeserializator in(L"intro\\intro.xml");
    in.BeginChild("Intro");
    const unsigned int slides = in.GetChildCount();
    for (unsigned int s = 0; s < slides; ++s) {
        in.BeginChild(s);
        Slide slide;
        in.Deserialize("Texture", slide.m_Texture);
        const unsigned int pictures = in.GetChildCount();
        for (unsigned int p = 0; p < pictures; ++p) {
            in.BeginChild(p);
            Picture picture;
            in.Deserialize("Time", picture.m_Time);
            picture.m_Sprite = RGSpriteCreator::CreateSprite(false);
            picture.m_Sprite->DoDeserialize(in);
            picture.m_Sprite->m_Material.m_AlphaOp = 4;
            slide.m_Pictures.push_back(picture);
            in.EndChild();
        }
        // A slide without pictures would leave the show nothing to step through.
        if (slide.m_Pictures.empty())
            gLoger << SCore::GetCurrentDateTime() << (" intro slide " + slide.m_Texture + " has no picture: dropped\n");
        else
            m_Slides.push_back(slide);
        in.EndChild();
    }
    in.EndChild();
}

void RGIntro::Start()
{
    m_Finished.Set(false);
    m_Form->SetEnabled(true);
    // The game disables the button when a show ends; every new show can be skipped again.
    m_SkipButton->SetEnabled(true);
    m_PictureFade->m_TransitionState = STS_HIDDEN;
    m_CurrentSlide = 0;
    m_CurrentPicture = 0;
    m_BackgroundFade->SetSprite(m_Background);
    m_BackgroundFade->m_TransitionState = STS_HIDDEN;
    m_Restart = true;
    if (m_Slides.empty()) {
        m_Finished.Set(true);
        return;
    }
    m_Background->m_Material.m_Texture1 =
        RGSpriteCreator::GetViewport()->m_TextureManager->GetTexture(m_Slides.front().m_Texture);
}

void RGIntro::Update()
{
    if (m_Restart) {
        m_BackgroundFade->Start(STS_FADE_IN);
        m_StartTime = timeGetTime();
        m_Schedule = 0;
        m_Restart = false;
    }
    if (m_CurrentSlide < m_Slides.size()) {
        const Slide& slide = m_Slides[m_CurrentSlide];
        const uint32_t elapsed = RGScreenKit::Since(m_StartTime);
        if (elapsed > m_Schedule && m_BackgroundFade->m_TransitionState == STS_HIDDEN) {
            m_Background->m_Material.m_Texture1 =
                RGSpriteCreator::GetViewport()->m_TextureManager->GetTexture(slide.m_Texture);
            m_BackgroundFade->Start(STS_FADE_IN);
        }
        if (elapsed > m_Schedule + 2000) {
            if (m_PictureFade->m_TransitionState == STS_HIDDEN) {
                const Picture& picture = slide.m_Pictures[m_CurrentPicture];
                m_Picture = picture.m_Sprite;
                m_PictureFade->SetSprite(m_Picture);
                m_PictureFade->Start(STS_FADE_IN);
                m_Schedule += picture.m_Time;
            } else if (m_PictureFade->m_TransitionState == STS_SHOWN) {
                m_PictureFade->Start(STS_FADE_OUT);
                if (++m_CurrentPicture >= slide.m_Pictures.size()) {
                    m_CurrentPicture = 0;
                    NextSlide();
                }
            }
        }
    }
    m_BackgroundFade->Update();
    m_PictureFade->Update();
}

void RGIntro::NextSlide()
{
    ++m_CurrentSlide;
    m_BackgroundFade->Start(STS_FADE_OUT);
    m_Schedule += 4000;
    if (m_CurrentSlide >= m_Slides.size()) m_Finished.Set(true);
}

void RGIntro::Render()
{
    RGScreenKit::Draw(m_Background);
    RGScreenKit::Draw(m_Picture);
    if (!m_Form->IsHidden()) m_Form->DoRender(0.0f, 0.0f);
}

void RGIntro::OnSkip() { m_Finished.Set(true); }

} // namespace Runegarden
