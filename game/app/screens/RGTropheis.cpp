#include "game/app/screens/RGTropheis.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "game/app/kit/RGEventBinding.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/app/kit/RGScreenKit.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/win32.h"

#include <cmath>

using TarnEngine::STS_FADE_IN;
using TarnEngine::STS_FADE_OUT;
using TarnEngine::STS_HIDDEN;
using TarnEngine::STS_SHOWN;
using TarnEngine::UI::SUIButton;

namespace Runegarden {

namespace {

// Top-left aligned, blended, its texture alpha modulated by the fades.
RGScreenKit::SpritePtr Blended(const std::string& texture, float left, float top, float right, float bottom)
{
    RGScreenKit::SpritePtr sprite = RGScreenKit::Sprite(texture, true, left, top, right, bottom);
    sprite->m_Material.m_AlphaOp = 4;
    return sprite;
}

RGScreenKit::ButtonPtr Mark(const std::string& texture, float x, float y)
{
    RGScreenKit::SpritePtr sprite = Blended(texture, 0.0f, 0.0f, 0.7578125f, 0.626953125f);
    return RGScreenKit::Button(sprite, sprite, x, y, 0.189453125f, 0.41796875f);
}

void SetAlpha(TarnEngine::SSprite& sprite, uint32_t alpha)
{
    for (TarnEngine::SColor* colour : {&sprite.m_ColorLU, &sprite.m_ColorRU, &sprite.m_ColorLD, &sprite.m_ColorRD})
        *colour = (*colour & 0x00FFFFFFu) | (alpha << 24);
    sprite.m_Cached = false;
}

} // namespace

RGTropheis::RGTropheis(const boost::shared_ptr<TarnEngine::SInputMessager>& input)
    : m_Set1Announced(false), m_Set2Announced(false), m_Input(input), m_Done(false), m_LargeViewShown(false),
      m_ShownTrophy(0), m_Announcing(false), m_AnnounceTime(0)
{
    Create();
}

void RGTropheis::Create()
{
    RGScreenKit::SpritePtr background = RGScreenKit::Sprite("TROPHIES", true, 0.0f, 0.0f, 1.0f, 0.75f);
    background->m_Position = SCore::SRect{0.0f, 0.0f, 0.99f, 0.99f};
    m_Form.reset(new TarnEngine::UI::SUIForm("Tropheis"));
    m_Form->SetViewport(RGSpriteCreator::GetViewport());
    m_Form->m_W = 1.0f;
    m_Form->m_H = 1.0f;
    m_Form->m_Background = background;
    if (m_Input) m_Input->AddReceiver(m_Form);

    RGScreenKit::ButtonPtr ok = RGScreenKit::PairButton("OKBTNPAS", "OKBTNACT", 0.7421875f, 0.703125f, 0.85888671875f,
                                                        0.8912760615f, 0.0927734375f, 0.05859375f);
    BindClickEvent(*ok, &RGTropheis::OnOk, this);
    m_Form->AddControl(ok);

    for (uint32_t i = 0; i < kTrophies; ++i) {
        const float c = static_cast<float>(i % 6), r = static_cast<float>(i / 6);
        RGScreenKit::SpritePtr tile = Blended("TROPHIESSET", 0.1240234375f * c, 0.1142578125f * r,
                                              0.1240234375f * (c + 1), 0.1142578125f * (r + 1));
        const float x = std::trunc(1024.0f * (0.0229f + 0.129f * c)) / 1024.0f - 0.5f / 1024.0f;
        const float y = std::trunc(768.0f * (0.03f + 0.158f * r)) / 768.0f - 0.5f / 768.0f;
        RGScreenKit::ButtonPtr trophy = RGScreenKit::Button(tile, tile, x, y, 0.1240234375f, 0.15234375f);
        BindClickEvent(*trophy, &RGTropheis::OnTrophiesClick, this);
        m_Trophies.push_back(trophy);
        m_Form->AddControl(trophy);
    }
    m_SetMark1 = Mark("TROPHIEBIG1", 0.80908203125f, -0.5f / 768.0f);
    m_SetMark2 = Mark("TROPHIEBIG2", 0.80908203125f, 0.4225260317f);
    m_Form->AddControl(m_SetMark1);
    m_Form->AddControl(m_SetMark2);
    m_RevealFade.reset(new TarnEngine::SSpriteTransition(8000.0f));
    m_SetMarkFade.reset(new TarnEngine::SSpriteTransition(8000.0f));

    SCore::SXMLDeserializator in(L"Levels\\trophies.xml");
    in.BeginChild("Trophies");
    const unsigned int count = in.GetChildCount();
    for (unsigned int i = 0; i < count && i < kTrophies; ++i) {
        in.BeginChild(i);
        std::string name;
        in.Deserialize("Name", name);
        m_Names.push_back(name);
        in.EndChild();
    }
    in.EndChild();
    if (m_Names.size() < kTrophies) {
        // The name lookup needs one name per trophy.
        gLoger << SCore::GetCurrentDateTime()
               << (" Levels\\trophies.xml names " + std::to_string(m_Names.size()) + " trophies of 30\n");
        m_Names.resize(kTrophies);
    }

    m_NameLabel = RGScreenKit::Label(40, 0.01821675f, 0.05f, 1.12f, 0.2f, 0.912f, L"");
    RGScreenKit::SetColour(*m_NameLabel->GetFont(), 255, 0x73, 0x96, 0x54);
    m_Form->AddControl(m_NameLabel);

    m_LargePicture = Blended("TROPHIESETBIG1", 0.0f, 0.0f, 0.25f, 0.2314453125f);
    m_LargePicture->m_Position = SCore::SRect{0.27783203125f, 0.267578125f, 0.25f, 0.30859375f};
    m_Backdrop = Blended("TROPHIEBIGBACKGROUND", 0.0f, 0.0f, 0.6875f, 0.650390625f);
    m_Backdrop->m_Position = SCore::SRect{0.23095703125f, 0.205078125f, 0.34375f, 0.43359375f};
    m_Wow = Blended("WOW", 0.0f, 0.0f, 0.6875f, 0.650390625f);
    m_Wow->m_Position = m_Backdrop->m_Position;
    m_PictureFade = RGScreenKit::Fade(500.0f, m_LargePicture, STS_HIDDEN);
    m_BackdropFade = RGScreenKit::Fade(500.0f, m_Backdrop, STS_HIDDEN);
    m_WowFade = RGScreenKit::Fade(500.0f, m_Wow, STS_HIDDEN);
    for (const auto& fade : {m_PictureFade, m_BackdropFade, m_WowFade}) fade->ApplyAlpha(0);
}

bool RGTropheis::IsDone()
{
    CriticalSectionLock lock(m_Lock.Section());
    return m_Done;
}

void RGTropheis::AddNewTrophy(uint32_t index) { m_NewTrophies.push_back(index); }

void RGTropheis::ReleaseSetMark()
{
    if (!m_SetMarkFade->GetSprite()) return;
    SetAlpha(*m_SetMarkFade->GetSprite(), 255);
    m_SetMarkFade->SetSprite(boost::shared_ptr<TarnEngine::SSprite>());
}

void RGTropheis::Start()
{
    {
        CriticalSectionLock lock(m_Lock.Section());
        m_Done = false;
    }
    const boost::shared_ptr<RGUserProfile> profile = gProfileManager ? gProfileManager->GetCurrent() : nullptr;
    for (uint32_t i = 0; i < kTrophies; ++i)
        m_Trophies[i]->SetHidden(!profile || i >= profile->Trophies.size() || profile->Trophies[i] == 0);
    m_SetMark1->SetHidden(!profile || !profile->TrophySet1Complete);
    m_SetMark2->SetHidden(!profile || !profile->TrophySet2Complete);
    if (!m_NewTrophies.empty()) {
        const uint32_t first = m_NewTrophies.front();
        m_RevealFade->SetSprite(first < kTrophies ? m_Trophies[first]->m_NormalSprite : nullptr);
        m_RevealFade->m_TransitionState = STS_HIDDEN;
        if (m_RevealFade->GetSprite()) m_RevealFade->ApplyAlpha(0);
        m_NewTrophies.clear();
        m_WowFade->Start(STS_FADE_IN);
        m_Announcing = true;
        m_AnnounceTime = timeGetTime();
    } else {
        m_WowFade->m_TransitionState = STS_HIDDEN;
        m_WowFade->ApplyAlpha(0);
        m_RevealFade->m_TransitionState = STS_HIDDEN;
        m_Announcing = false;
    }
    ReleaseSetMark();
    if (m_Set1Announced || m_Set2Announced) {
        m_SetMarkFade->SetSprite((m_Set1Announced ? m_SetMark1 : m_SetMark2)->m_NormalSprite);
        m_SetMarkFade->Start(STS_FADE_IN);
        (m_Set1Announced ? m_Set1Announced : m_Set2Announced) = false;
    } else {
        m_SetMarkFade->m_TransitionState = STS_HIDDEN;
    }
    for (const auto& fade : {m_PictureFade, m_BackdropFade}) {
        fade->m_TransitionState = STS_HIDDEN;
        fade->ApplyAlpha(0);
    }
    m_LargeViewShown = false;
}

void RGTropheis::Update()
{
    {
        CriticalSectionLock lock(m_Lock.Section());
        if (m_RevealFade->GetSprite()) m_RevealFade->Update();
    }
    if (m_SetMarkFade->GetSprite()) {
        m_SetMarkFade->Update();
        if (m_SetMarkFade->m_TransitionState == STS_SHOWN) ReleaseSetMark();
    }
    m_BackdropFade->Update();
    m_PictureFade->Update();
    m_WowFade->Update();
    UpdateTrophyName();
    if (m_Announcing && RGScreenKit::Since(m_AnnounceTime) > 2000) {
        m_WowFade->Start(STS_FADE_OUT);
        CriticalSectionLock lock(m_Lock.Section());
        m_RevealFade->Start(STS_FADE_IN);
        m_Announcing = false;
    }
}

void RGTropheis::UpdateTrophyName()
{
    const uint32_t i = FindHoveredTrophy();
    RGScreenKit::SetText(*m_NameLabel, i == kNone ? std::wstring() : RGScreenKit::Widen(m_Names[i]));
}

uint32_t RGTropheis::FindHoveredTrophy()
{
    for (uint32_t i = 0; i < m_Trophies.size(); ++i) {
        const int32_t state = m_Trophies[i]->GetState();
        if ((state == TarnEngine::UI::SUICS_OVER || state == TarnEngine::UI::SUICS_PRESSED) && !m_Trophies[i]->IsHidden())
            return i;
    }
    return kNone;
}

void RGTropheis::OnOk()
{
    CriticalSectionLock lock(m_Lock.Section());
    if (m_RevealFade->GetSprite() && (m_RevealFade->m_TransitionState == STS_FADE_IN || m_Announcing)) {
        m_RevealFade->m_TransitionState = STS_SHOWN;
        m_RevealFade->Update();
        m_RevealFade->ApplyAlpha(255);
    }
    m_RevealFade->SetSprite(boost::shared_ptr<TarnEngine::SSprite>());
    m_Done = true;
}

void RGTropheis::OnTrophiesClick()
{
    const uint32_t i = FindHoveredTrophy();
    if (i != kNone && !m_LargeViewShown) {
        const uint32_t j = i % 15, column = j % 4, row = j / 4;
        m_LargePicture->m_Material.m_Texture1 = RGSpriteCreator::GetViewport()->m_TextureManager->GetTexture(
            i < 15 ? "TROPHIESETBIG1" : "TROPHIESETBIG2");
        m_LargePicture->m_TexCoords = SCore::SRect{0.25f * column, 0.2314453125f * row, 0.25f * (column + 1),
                                                   0.2314453125f * (row + 1)};
        m_LargePicture->m_Cached = false;
        m_BackdropFade->Start(STS_FADE_IN);
        m_PictureFade->Start(STS_FADE_IN);
        m_LargeViewShown = true;
        m_ShownTrophy = i;
    } else if (m_LargeViewShown) {
        m_BackdropFade->Start(STS_FADE_OUT);
        m_PictureFade->Start(STS_FADE_OUT);
        m_LargeViewShown = false;
    }
}

void RGTropheis::Render()
{
    if (!m_Form->IsHidden()) m_Form->DoRender(0.0f, 0.0f);
    RGScreenKit::Draw(m_Backdrop);
    RGScreenKit::Draw(m_LargePicture);
    RGScreenKit::Draw(m_Wow);
}

} // namespace Runegarden
