#include "game/app/screens/RGMap.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/math/SVector3.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "game/app/kit/RGEventBinding.h"
#include "game/app/kit/RGGameModeType.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/app/kit/RGScreenKit.h"
#include "game/gameplay/services/RGFontMetrics.h"
#include "game/gameplay/levels/RGLevelPacks.h"
#include "game/gameplay/services/RGLocalizationFont.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/win32.h"

#include <algorithm>
#include <cmath>

static const char* const kTarnSource = "..\\Src\\RGMap";

using TarnEngine::UI::SUIForm;

namespace Runegarden {

namespace {

const size_t kLevelsWithPaths = 29;
const float kBonusPotW = 0.14570312f;
const float kBonusPotH = 0.28385416f;

float SnapX(float x) { return AlignToTexel(1024, x); }
float SnapY(float y) { return AlignToTexel(768, y); }

boost::shared_ptr<RGUserProfile> Current() { return gProfileManager ? gProfileManager->GetCurrent() : nullptr; }

bool HasProfiles() { return gProfileManager && !gProfileManager->m_Profiles.empty(); }

const wchar_t* const kPlayTip = L"PLAY LEVEL ";
const wchar_t* const kCurrentTip = L"Play level: ";
const wchar_t* const kReplayTip = L"Replay level: ";
// The tip's margin around its text.
const float kTipMarginX = 0.009765625f;

std::string ShowName(const RGLevelPack& pack, unsigned int index)
{
    return index < pack.GetLevelCount() ? pack.GetLevelShowName(index) : std::string();
}

std::wstring TipText(const wchar_t* prefix, const RGLevelPack& pack, size_t index)
{
    return prefix + RGScreenKit::Widen(ShowName(pack, static_cast<unsigned int>(index)));
}

// The engine takes the tip's box as 0 wide, which would leave a margin-wide background in the
// middle of the text. The side paddings carry the box instead: as wide as the 8 characters it is
// laid out for, or as the widest text a pot can show, and centred where the 8 characters are.
void FitToolTip(TarnEngine::UI::SUIToolTip& tip, const RGLevelPack& pack,
                const std::vector<boost::shared_ptr<TarnEngine::UI::SUIButton>>& pots)
{
    TarnEngine::UI::SUILabel& label = *tip.GetLabel();
    TarnEngine::UI::SUITextLayout& layout = label.m_Layout;
    const std::wstring shown = label.GetText();
    float half = RGScreenKit::HalfBox(label.m_WidthInChars, layout.m_CellWidth, layout.m_Spacing);
    const float centre = tip.m_XOffset + kTipMarginX + half;
    for (size_t k = 0; k < pots.size(); ++k)
        for (const std::wstring& text :
             {pots[k]->m_ToolTipText, TipText(kCurrentTip, pack, k), TipText(kReplayTip, pack, k)}) {
            label.SetText(text);
            half = std::max(half, 0.5f * layout.TextWidth(*label.GetFont()));
        }
    label.SetText(shown);
    layout.m_PaddingLeft = layout.m_PaddingRight = kTipMarginX + half;
    tip.m_XOffset = centre - layout.m_PaddingLeft;
}

void SetPotLook(TarnEngine::UI::SUIButton& pot, const RGScreenKit::SpritePtr& normal, const RGScreenKit::SpritePtr& over)
{
    pot.m_NormalSprite = normal;
    pot.m_PressedSprite = normal;
    pot.m_OverSprite = over;
}

} // namespace

RGMap::RGMap(const boost::shared_ptr<TarnEngine::SInputMessager>& input)
    : m_Leave(false), m_NextMode(RGGM_MAP), m_CurrentLevelMain(false), m_CurrentLevelBonus(false), m_BonusMap(false),
      m_FinalLevel(false), m_Input(input), m_PathsPerLevel(kLevelsWithPaths, 1), m_DrawnPaths(0), m_DrawnStars(0)
{
    Create();
}

void RGMap::Create()
{
    TARN_TRY
    RGScreenKit::SpritePtr mainBackground = RGScreenKit::Sprite("MAP", true, 0.0f, 0.0f, 1.0f, 0.75f);
    mainBackground->m_Position = SCore::SRect{0.0f, 0.0f, 0.99f, 0.99f};
    RGScreenKit::SpritePtr bonusBackground = RGScreenKit::Sprite("MAPBONUS", true, 0.0f, 0.0f, 1.0f, 0.75f);
    bonusBackground->m_Position = SCore::SRect{0.0f, 0.0f, 0.99f, 0.99f};
    m_DonePot = RGScreenKit::Sprite("LEVELPOTS", true, 0.0f, 0.5f, 0.28125f, 1.0f);
    m_DonePotOver = RGScreenKit::Sprite("LEVELPOTS", true, 0.5f, 0.5f, 0.78125f, 1.0f);
    m_CurrentPot = RGScreenKit::Sprite("LEVELPOTS", true, 0.0f, 0.0f, 0.28125f, 0.5f);
    m_CurrentPotOver = RGScreenKit::Sprite("LEVELPOTS", true, 0.5f, 0.0f, 0.78125f, 0.5f);
    m_Star = RGScreenKit::Sprite("STAR", false, 0.0f, 0.0f, 0.78125f, 1.0f);
    m_Star->m_Position = SCore::SRect{0.0f, 0.0f, 25.0f / 1024.0f, 32.0f / 768.0f};
    m_Star->m_CoordAligment = TarnEngine::SCA_CENTER;
    m_Dot = RGScreenKit::Sprite("DOT", false, 0.0f, 0.0f, 0.625f, 0.625f);
    m_Dot->m_Position = SCore::SRect{0.0f, 0.0f, 5.0f / 1024.0f, 4.0f / 768.0f};

    for (auto* form : {&m_MainForm, &m_BonusForm}) {
        form->reset(new SUIForm(form == &m_MainForm ? "Map" : "MapBonus"));
        (*form)->SetViewport(RGSpriteCreator::GetViewport());
        (*form)->m_W = 1.0f;
        (*form)->m_H = 1.0f;
    }
    m_MainForm->m_Background = mainBackground;
    m_BonusForm->m_Background = bonusBackground;
    LoadMaps();
    if (m_Input) {
        m_Input->AddReceiver(m_MainForm);
        m_Input->AddReceiver(m_BonusForm);
    }
    struct ButtonPlace {
        const char* texture;
        float x, y;
        void (RGMap::*click)();
    };
    const ButtonPlace buttons[] = {{"MAPBTNMENU", 37.5f / 1024.0f, 633.5f / 768.0f, &RGMap::OnMenu},
                            {"MAPBTNNEXT", 37.5f / 1024.0f, 583.5f / 768.0f, &RGMap::OnNext},
                            {"MAPBTNTROPHIES", AlignToTexel(1024, 0.038f), AlignToTexel(768, 0.894f), &RGMap::OnTrophies}};
    for (const ButtonPlace& place : buttons) {
        ButtonPtr button = RGScreenKit::StripButton(place.texture, 0.8203125f, 0.0f, 0.3359375f, 0.3359375f, 0.671875f,
                                                    place.x, place.y, 105.0f / 1024.0f, 42.0f / 768.0f);
        BindClickEvent(*button, place.click, this);
        m_MainForm->AddControl(button);
        m_BonusForm->AddControl(button);
        if (place.click == &RGMap::OnNext) m_NextButton = button;
    }
    m_Trainer.reset(new RGLevelTrainer);
    BindUpdateEvent(*m_MainForm, &RGMap::Update, this);
    m_MainForm->SetEnabled(false);
    m_BonusForm->SetEnabled(false);
    TARN_CATCH("RGMap::Create()")
}

void RGMap::LoadMaps()
{
    m_ToolTip.reset(new TarnEngine::UI::SUIToolTip);
    m_ToolTip->SetViewport(RGSpriteCreator::GetViewport());
    m_ToolTip->GetLabel()->m_Background = RGScreenKit::Sprite("TOOLTIP", true, 0.0f, 0.0f, 1.0f, 1.0f);
    m_ToolTip->Create(8, 0.014f, 0.03125f, 1.12f, gLocalizationFont.m_Name, gLocalizationFont.Columns(),
                      gLocalizationFont.Rows(), 0.5f, 0.5f, L"tooltip", 0);
    TarnEngine::UI::SUILabel& label = *m_ToolTip->GetLabel();
    TarnEngine::STextureFont& font = *label.GetFont();
    RGScreenKit::SetColour(font, 255, 10, 10, 10);
    label.m_Layout.m_Alignment = TarnEngine::UI::SUITA_CENTER;
    label.m_Layout.m_PaddingLeft = label.m_Layout.m_PaddingRight = kTipMarginX;
    label.m_Layout.m_PaddingTop = label.m_Layout.m_PaddingBottom = 0.0052083f;
    m_ToolTip->CreateFades(1);
    // Hidden until a pot is pointed at: its fades start from nothing.
    font.m_Color[0] = 0;
    if (label.m_Background)
        for (uint32_t* corner : {&label.m_Background->m_ColorLU, &label.m_Background->m_ColorRU,
                                 &label.m_Background->m_ColorLD, &label.m_Background->m_ColorRD})
            *corner &= 0x00FFFFFFu;
    m_ToolTip->m_XOffset = -0.054565623f;
    m_ToolTip->m_YOffset = 0.04333f;
    gLocalizationFont.ApplyIndent(font);
    ApplyFontMetrics(label.GetFont());

    ReadMap(*RGLevelPacks::Main(), m_ToolTip, m_MainPots, L"Levels\\map.xml");
    for (const ButtonPtr& pot : m_MainPots) m_MainForm->AddControl(pot);
    FitToolTip(*m_ToolTip, *RGLevelPacks::Main(), m_MainPots);
    // The pots only place, show and hide their shared tip; Render draws it once, over every
    // control, which the pots and buttons added after the pointed one would otherwise cover.
    m_ToolTip->SetHidden(true);
    ReadMap(*RGLevelPacks::Bonus(), m_ToolTip, m_BonusPots, L"Levels\\map_bonus.xml");
    for (size_t k = 0; k < m_BonusPots.size(); ++k) {
        const float c = static_cast<float>(k % 5), r = static_cast<float>(k / 5);
        const float left = c * kBonusPotW, top = r * 0.42578125f;
        RGScreenKit::SpritePtr normal =
            RGScreenKit::Sprite("BONUSLEVELPOTS", true, left, top, left + kBonusPotW, top + 0.42578125f);
        RGScreenKit::SpritePtr over =
            RGScreenKit::Sprite("BONUSLEVELPOTS", true, left, top, left + kBonusPotW, top + 0.42578125f);
        TarnEngine::UI::SUIButton& pot = *m_BonusPots[k];
        SetPotLook(pot, normal, over);
        pot.m_X = SnapX(c * kBonusPotW + 0.136f);
        pot.m_Y = SnapY(r * kBonusPotH + 0.161f);
        pot.m_W = std::trunc(1024.0f * kBonusPotW) / 1024.0f;
        pot.m_H = std::trunc(768.0f * kBonusPotH) / 768.0f;
        pot.m_ToolTip.reset();
        m_BonusForm->AddControl(m_BonusPots[k]);
    }
}

void RGMap::ReadMap(RGLevelPack& pack, const boost::shared_ptr<TarnEngine::UI::SUIToolTip>& toolTip,
                    std::vector<ButtonPtr>& pots, const std::wstring& file)
{
    TARN_TRY
    SCore::SXMLDeserializator in(file);
    in.BeginChild("map");
    in.BeginChild("GameObjects");
    const unsigned int count = in.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        in.BeginChild(i);
        std::string name;
        in.Deserialize("Name", name);
        if (name == "Earth1") {
            SCore::SVector3 position;
            in.Deserialize("Position", position);
            ButtonPtr pot = RGScreenKit::Button(m_DonePot, m_DonePotOver, SnapX(position.X), SnapY(position.Y),
                                                36.0f / 1024.0f, 63.0f / 768.0f);
            BindClickEvent(*pot, &RGMap::OnLevelPot, this);
            pot->m_ToolTip = toolTip;
            pot->m_ToolTipText = TipText(kPlayTip, pack, i);
            pots.push_back(pot);
        } else if (name == "Group") {
            std::vector<Point> path;
            const unsigned int points = in.GetChildCount();
            for (unsigned int p = 0; p < points; ++p) {
                in.BeginChild(p);
                if (in.GetNodeName() == "GameObject") {
                    SCore::SVector3 position;
                    in.Deserialize("Position", position);
                    path.push_back(Point{position.X, position.Y});
                }
                in.EndChild();
            }
            m_DotPaths.push_back(path);
        }
        in.EndChild();
    }
    in.EndChild();
    in.EndChild();
    for (size_t level : {3, 5, 20}) m_PathsPerLevel[level] = 2;
    TARN_CATCH("RGMap::ReadMap()")
}

RGLevelPack& RGMap::ShownPack() const { return m_BonusMap ? *RGLevelPacks::Bonus() : *RGLevelPacks::Main(); }

std::string RGMap::GetCurrentLevelName() const
{
    const boost::shared_ptr<RGUserProfile> profile = Current();
    if (!profile) return std::string();
    return m_BonusMap ? profile->BonusLevel : profile->Level;
}

unsigned int RGMap::CurrentIndex() const
{
    return HasProfiles() && Current() ? ShownPack().GetLevelIndex(GetCurrentLevelName()) : 0;
}

void RGMap::Start()
{
    TARN_TRY
    const unsigned int level = CurrentIndex();
    if (!m_BonusMap) {
        const RGLevelPack& pack = *RGLevelPacks::Main();
        for (size_t k = 0; k < m_MainPots.size(); ++k) {
            TarnEngine::UI::SUIButton& pot = *m_MainPots[k];
            pot.SetHidden(k > level);
            pot.SetEnabled(k <= level);
            if (k == level) {
                SetPotLook(pot, m_CurrentPot, m_CurrentPotOver);
                pot.m_ToolTipText = TipText(kCurrentTip, pack, k);
            } else if (k < level) {
                SetPotLook(pot, m_DonePot, m_DonePotOver);
                pot.m_ToolTipText = TipText(kReplayTip, pack, k);
            }
        }
        m_NextButton->SetHidden(false);
        m_NextButton->SetEnabled(true);
    } else {
        const boost::shared_ptr<RGUserProfile> profile = Current();
        for (size_t k = 0; k < m_BonusPots.size(); ++k) {
            const bool done = profile && std::find(profile->DoneBonusLevels.begin(), profile->DoneBonusLevels.end(),
                                                   static_cast<uint32_t>(k)) != profile->DoneBonusLevels.end();
            m_BonusPots[k]->SetHidden(done);
            m_BonusPots[k]->SetEnabled(!done);
        }
        m_NextButton->SetHidden(true);
        m_NextButton->SetEnabled(false);
    }
    (m_BonusMap ? m_CurrentLevelBonus : m_CurrentLevelMain) = false;
    // A mark left from an earlier visit would turn an ordinary win into the end of the game.
    m_FinalLevel = false;
    if (level == 0) LoadTrainer1();
    else if (level == 1) LoadTrainer2();
    else m_Trainer->ClearCommands();
    if (m_Trainer->GetToolTip()->IsShown()) m_Trainer->GetToolTip()->SetHiddenAtOnce();
    m_Trainer->Restart();
    // A pot the pointer already stands on shows its tip at once: the tip is placed and given the
    // pot's text here, as moving onto the pot would.
    for (const ButtonPtr& pot : GetPots()) {
        if (pot->IsHidden() || pot->GetState() != TarnEngine::UI::SUICS_OVER || pot->m_ToolTipText.empty()) continue;
        TarnEngine::UI::SUILabel& label = *m_ToolTip->GetLabel();
        label.m_X = pot->m_X + m_ToolTip->m_XOffset;
        label.m_Y = m_ToolTip->m_Placement == 1 ? pot->m_Y + pot->m_W + m_ToolTip->m_YOffset : pot->m_Y - m_ToolTip->m_YOffset;
        label.SetText(pot->m_ToolTipText);
    }
    m_Leave.store(false, std::memory_order_release);
    GetShownForm()->SetEnabled(true);
    TARN_CATCH("RGMap::Start()")
}

void RGMap::LoadTrainer1()
{
    m_Trainer->ClearCommands();
    m_Trainer->Deserialize(L"Levels\\map_trainer_1.xml");
    m_Trainer->Restart();
}

void RGMap::LoadTrainer2()
{
    m_Trainer->ClearCommands();
    m_Trainer->Deserialize(L"Levels\\map_trainer_2.xml");
    m_Trainer->Restart();
}

void RGMap::Update()
{
    TARN_TRY
    m_DrawnPaths = 0;
    m_DrawnStars = 0;
    if (HasProfiles()) DrawPaths(CurrentIndex());
    m_Trainer->Update();
    m_Trainer->Render();
    DrawStars();
    TARN_CATCH("RGMap::Update()")
}

void RGMap::DrawPaths(unsigned int level)
{
    if (level == 0) return;
    size_t paths = 0;
    for (size_t i = 0; i < std::min<size_t>(level, kLevelsWithPaths); ++i) paths += m_PathsPerLevel[i];
    paths = std::min(paths, m_DotPaths.size());
    const float step = 0.0087890625f;
    for (size_t p = 0; p < paths; ++p) {
        const std::vector<Point>& path = m_DotPaths[p];
        for (size_t i = 1; i < path.size(); ++i) {
            const float dx = path[i].X - path[i - 1].X, dy = path[i].Y - path[i - 1].Y;
            const int n = static_cast<int>(std::trunc(std::sqrt(dx * dx + dy * dy) / step));
            for (int j = 0; j < n; ++j) {
                m_Dot->m_Position.X = SnapX(path[i - 1].X + j * dx / n);
                m_Dot->m_Position.Y = SnapY(path[i - 1].Y + j * dy / n);
                m_Dot->m_Cached = false;
                m_Dot->Draw();
            }
        }
        ++m_DrawnPaths;
    }
}

void RGMap::DrawStars()
{
    const boost::shared_ptr<RGUserProfile> profile = Current();
    if (!profile) return;
    m_Star->m_XScaleFactor = std::sin(static_cast<float>(timeGetTime()) * 0.003f);
    const std::vector<ButtonPtr>& pots = m_BonusMap ? m_BonusPots : m_MainPots;
    for (size_t k = 0; k < pots.size() && k < profile->Trophies.size(); ++k) {
        if (profile->Trophies[k] != 1) continue;
        m_Star->m_Position.X = SnapX(pots[k]->m_X + 0.0053929687f + 0.5f * m_Star->m_Position.Width);
        m_Star->m_Position.Y = SnapY(pots[k]->m_Y - 0.03515625f + 0.5f * m_Star->m_Position.Height);
        m_Star->m_Cached = false;
        m_Star->Draw();
        ++m_DrawnStars;
    }
}

void RGMap::Render()
{
    const boost::shared_ptr<SUIForm>& form = GetShownForm();
    if (form->IsHidden()) return;
    form->DoRender(0.0f, 0.0f);
    if (!m_BonusMap) m_ToolTip->DoRender(0.0f, 0.0f);
}

unsigned int RGMap::PointedPot()
{
    const std::vector<ButtonPtr>& pots = GetPots();
    for (size_t k = 0; k < pots.size(); ++k)
        if (pots[k]->GetState() == TarnEngine::UI::SUICS_OVER) return static_cast<unsigned int>(k);
    return 0;
}

void RGMap::Leave(int32_t mode)
{
    m_NextMode = mode;
    m_MainForm->SetEnabled(false);
    m_BonusForm->SetEnabled(false);
    m_Leave.store(true, std::memory_order_release);
}

void RGMap::OnLevelPot()
{
    const unsigned int k = PointedPot();
    RGLevelPack& pack = ShownPack();
    m_SelectedLevelName = k < pack.GetLevelCount() ? pack.GetLevelName(k) : std::string();
    m_FinalLevel = !m_BonusMap && k + 1 == RGLevelPacks::Main()->GetLevelCount();
    const boost::shared_ptr<RGUserProfile> profile = Current();
    if (!m_BonusMap) m_CurrentLevelMain = profile && m_SelectedLevelName == profile->Level;
    else m_CurrentLevelBonus = profile && m_SelectedLevelName == profile->BonusLevel;
    Leave(RGGM_PLAY);
}

void RGMap::OnNext()
{
    m_SelectedLevelName = GetCurrentLevelName();
    const unsigned int count = static_cast<unsigned int>(GetPots().size());
    const bool finished = m_SelectedLevelName == RGLevelPack::kDone;
    if (finished && count > 0) m_SelectedLevelName = ShownPack().GetLevelName(count - 1);
    const unsigned int index = ShownPack().GetLevelIndex(m_SelectedLevelName);
    m_FinalLevel = !m_BonusMap && index + 1 == RGLevelPacks::Main()->GetLevelCount();
    // A finished game replays its last level: the profile keeps "done".
    (m_BonusMap ? m_CurrentLevelBonus : m_CurrentLevelMain) = !finished;
    Leave(RGGM_PLAY);
}

void RGMap::OnMenu() { Leave(RGGM_MENU); }

void RGMap::OnTrophies() { Leave(RGGM_TROPHIES); }

} // namespace Runegarden
