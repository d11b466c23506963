#include "game/gameplay/levels/RGLevelTrainer.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/SSpriteTransition.h"
#include "engine/framework/drawables/STextureFont.h"
#include "engine/framework/ui/SUIToolTip.h"
#include "game/gameplay/levels/RGLevelTrainerCommandHideArrow.h"
#include "game/gameplay/levels/RGLevelTrainerCommandHideSprite.h"
#include "game/gameplay/levels/RGLevelTrainerCommandHideTeacher.h"
#include "game/gameplay/levels/RGLevelTrainerCommandHideToolTip.h"
#include "game/gameplay/levels/RGLevelTrainerCommandJump.h"
#include "game/gameplay/levels/RGLevelTrainerCommandShowArrow.h"
#include "game/gameplay/levels/RGLevelTrainerCommandShowSprite.h"
#include "game/gameplay/levels/RGLevelTrainerCommandShowTeacher.h"
#include "game/gameplay/levels/RGLevelTrainerCommandShowToolTip.h"
#include "game/gameplay/levels/RGLevelTrainerCommandWait.h"
#include "game/gameplay/levels/RGLevelTrainerCommandWaitSpell.h"
#include "game/gameplay/services/RGFontMetrics.h"
#include "game/gameplay/services/RGLocalizationFont.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/win32.h"

#include <cmath>

static const char* const kTarnSource = "..\\Src\\RGLevelTrainer";

using TarnEngine::SSprite;
using TarnEngine::SSpriteTransition;
using TarnEngine::UI::SUIToolTip;

namespace Runegarden {

namespace {

const float kToolTipCellHeight = 0.0349027f;
const float kToolTipPaddingRight = 0.01f;

// The text colour word 0x012B25FF laid into the font's alpha, red, green, blue bytes from its
// low end: opaque, dark olive.
void SetToolTipColour(TarnEngine::STextureFont& font)
{
    font.m_Color[0] = 0xFF;
    font.m_Color[1] = 0x25;
    font.m_Color[2] = 0x2B;
    font.m_Color[3] = 0x01;
    font.m_Cached = false;
}

template <typename T>
boost::shared_ptr<RGLevelTrainerCommand> Make()
{
    return boost::shared_ptr<RGLevelTrainerCommand>(new T);
}

} // namespace

RGLevelTrainer::RGLevelTrainer()
{
    TARN_TRY
    CreateSprites();
    TARN_CATCH("RGLevelTrainer::RGLevelTrainer()")
}

RGLevelTrainer::~RGLevelTrainer() { ClearCommands(); }

void RGLevelTrainer::CreateSprites()
{
    TARN_TRY
    m_Teacher = RGSpriteCreator::CreateTexturedSprite("TEACHER", true);
    m_Teacher->m_Position = {0.1821289f, 0.71940106f, 0.09765625f, 0.12890625f};
    m_Teacher->m_TexCoords = {0.0f, 0.0f, 0.78125f, 0.78125f};
    m_Teacher->m_Material.m_AlphaOp = 4; // modulate, so that the fade shows
    m_Arrow = RGSpriteCreator::CreateTexturedSprite("ARROWANIM", false);
    m_Arrow->m_Position = {0.2f, 0.7f, 0.0625f, 0.16666667f};
    m_Arrow->m_CoordAligment = TarnEngine::SCA_LEFT_TOP;
    m_Arrow->m_Material.m_AlphaOp = 4; // modulate, so that the fade shows
    m_TeacherFade.reset(new SSpriteTransition(500.0f));
    m_TeacherFade->SetSprite(m_Teacher);
    m_ArrowFade.reset(new SSpriteTransition(1000.0f));
    m_ArrowFade->SetSprite(m_Arrow);

    m_ToolTip.reset(new SUIToolTip);
    m_ToolTip->SetViewport(RGSpriteCreator::GetViewport());
    const boost::shared_ptr<TarnEngine::UI::SUILabel>& label = m_ToolTip->GetLabel();
    label->m_Background = RGSpriteCreator::CreateTexturedSprite("TRAINERTOOLTIP", true);
    label->m_Background->m_TexCoords = {0.0f, 0.0f, 0.8046875f, 0.8203125f};
    label->m_X = 0.227f;
    label->m_Y = 0.79f;
    CreateToolTip(40, 0.08f, 0.66f);
    label->SetText(L"HELLO");
    label->m_Layout.m_Alignment = TarnEngine::UI::SUITA_LEFT;
    label->m_Layout.m_PaddingLeft = 0.04f;
    label->m_Layout.m_PaddingTop = 0.010908025f;
    label->m_Layout.m_PaddingRight = kToolTipPaddingRight;
    label->m_Layout.m_PaddingBottom = 0.01f;
    m_ToolTip->CreateFades(1);
    TARN_CATCH("RGLevelTrainer::CreateSprites()")
}

void RGLevelTrainer::CreateToolTip(uint32_t widthInChars, float cellWidth, float spacing)
{
    TARN_TRY
    const boost::shared_ptr<TarnEngine::UI::SUILabel>& label = m_ToolTip->GetLabel();
    m_ToolTip->Create(widthInChars, cellWidth, kToolTipCellHeight, spacing, gLocalizationFont.m_Name,
                      gLocalizationFont.Columns(), gLocalizationFont.Rows(), label->m_X, label->m_Y, label->GetText(), 1);
    gLocalizationFont.ApplyIndent(*label->GetFont());
    SetToolTipColour(*label->GetFont());
    TARN_CATCH("RGLevelTrainer::CreateToolTip()")
}

boost::shared_ptr<RGLevelTrainerCommand> RGLevelTrainer::CreateCommand(const std::string& type)
{
    typedef boost::shared_ptr<RGLevelTrainerCommand> (*Maker)();
    static const std::pair<const char*, Maker> kCommands[] = {
        {"RGLevelTrainerCommandHideArrow", &Make<RGLevelTrainerCommandHideArrow>},
        {"RGLevelTrainerCommandHideToolTip", &Make<RGLevelTrainerCommandHideToolTip>},
        {"RGLevelTrainerCommandJump", &Make<RGLevelTrainerCommandJump>},
        {"RGLevelTrainerCommandShowArrow", &Make<RGLevelTrainerCommandShowArrow>},
        {"RGLevelTrainerCommandShowSprite", &Make<RGLevelTrainerCommandShowSprite>},
        {"RGLevelTrainerCommandShowTeacher", &Make<RGLevelTrainerCommandShowTeacher>},
        {"RGLevelTrainerCommandShowToolTip", &Make<RGLevelTrainerCommandShowToolTip>},
        {"RGLevelTrainerCommandWait", &Make<RGLevelTrainerCommandWait>},
        {"RGLevelTrainerCommandWaitSpell", &Make<RGLevelTrainerCommandWaitSpell>},
        {"RGLevelTrainerCommandHideSprite", &Make<RGLevelTrainerCommandHideSprite>},
        {"RGLevelTrainerCommandHideTeacher", &Make<RGLevelTrainerCommandHideTeacher>},
        {"RGLevelTrainerCommandWaitMapMove", &Make<RGLevelTrainerCommandWaitMapMove>},
    };
    for (const auto& entry : kCommands)
        if (type == entry.first) return entry.second();
    throw SCore::TarnCoreException("unknown level trainer command type:" + type);
}

void RGLevelTrainer::Deserialize(const std::wstring& path)
{
    TARN_TRY
    SCore::SXMLDeserializator in(path);
    in.BeginChild("LevelTrainer");
    const unsigned int count = in.GetChildCount();
    for (unsigned int i = 0; i < count; ++i) {
        in.BeginChild(i);
        std::string type;
        in.Deserialize("Type", type);
        boost::shared_ptr<RGLevelTrainerCommand> command = CreateCommand(type);
        command->Deserialize(in);
        m_Commands.push_back(command);
        in.EndChild();
    }
    in.EndChild();
    m_Current = m_Commands.size();
    TARN_CATCH("RGLevelTrainer::Deserialize()")
}

void RGLevelTrainer::Start()
{
    TARN_TRY
    Restart();
    Update();
    TARN_CATCH("RGLevelTrainer::Start()")
}

void RGLevelTrainer::Restart()
{
    m_StartTime = timeGetTime();
    m_Current = 0;
    m_Done = false;
    m_TeacherFade->m_TransitionState = TarnEngine::STS_HIDDEN;
    m_ArrowFade->m_TransitionState = TarnEngine::STS_HIDDEN;
    // A Wait reached while the level loaded must not count the loading and the start prompt.
    for (const auto& command : m_Commands) command->Rearm();
}

void RGLevelTrainer::Update()
{
    TARN_TRY
    m_TeacherFade->Update();
    m_ArrowFade->Update();
    if (!m_Done && m_Current < m_Commands.size()) m_Commands[m_Current]->Execute(*this);
    for (auto& entry : m_NamedSprites) entry.second.m_Fade->Update();
    TARN_CATCH("RGLevelTrainer::Update()")
}

void RGLevelTrainer::Render()
{
    TARN_TRY
    if (m_Teacher->m_Enabled) m_Teacher->Draw();
    if (!m_ToolTip->IsHidden()) m_ToolTip->DoRender(0.0f, 0.0f);
    if (m_Arrow->m_Enabled) m_Arrow->Draw();
    const float t = float(timeGetTime());
    m_Arrow->m_Position.Height = 0.08f + 0.007f * std::sin(0.01f * t);
    m_Arrow->m_Cached = false;
    for (auto& entry : m_NamedSprites)
        if (entry.second.m_Sprite->m_Enabled) entry.second.m_Sprite->Draw();
    TARN_CATCH("RGLevelTrainer::Render()")
}

void RGLevelTrainer::OnSpell(RGToolType spell)
{
    for (RGLevelTrainerCommandWaitSpell* listener : m_SpellListeners) listener->OnSpell(spell);
}

void RGLevelTrainer::OnSpellError()
{
    for (RGLevelTrainerCommandWaitSpell* listener : m_SpellListeners) listener->OnSpellError();
}

void RGLevelTrainer::OnMapMove(RGMapMoveType direction)
{
    for (RGLevelTrainerCommandWaitMapMove* listener : m_MapMoveListeners) listener->m_Fired = listener->m_MoveType == direction;
}

void RGLevelTrainer::ClearCommands()
{
    m_SpellListeners.clear();
    m_MapMoveListeners.clear();
    m_Commands.clear();
    m_Current = 0;
}

void RGLevelTrainer::Next()
{
    if (m_Done) return;
    if (m_Current < m_Commands.size()) ++m_Current;
    if (m_Current >= m_Commands.size()) m_Done = true;
}

void RGLevelTrainer::JumpToCommand(const std::string& id)
{
    m_Current = 0;
    while (m_Current < m_Commands.size() && m_Commands[m_Current]->m_ID != id) ++m_Current;
}

void RGLevelTrainer::ShowTeacher(float x, float y)
{
    m_Teacher->m_Position.X = AlignToTexel(1024, x);
    m_Teacher->m_Position.Y = AlignToTexel(768, y);
    m_Teacher->m_Cached = false;
    FadeIn(m_TeacherFade);
}

void RGLevelTrainer::ShowArrow(float x, float y, float angle)
{
    m_Arrow->m_Position.X = x;
    m_Arrow->m_Position.Y = y;
    m_Arrow->m_Angle = angle;
    m_Arrow->m_Cached = false;
    FadeIn(m_ArrowFade);
}

void RGLevelTrainer::ShowToolTip(const std::wstring& text)
{
    TARN_TRY
    const boost::shared_ptr<TarnEngine::UI::SUILabel>& label = m_ToolTip->GetLabel();
    CreateToolTip(uint32_t(text.size()), 0.017f, 1.12f);
    label->SetText(text);
    label->m_X = m_Teacher->m_Position.X + 0.082f;
    label->m_Y = m_Teacher->m_Position.Y;
    m_ToolTip->SetHiddenAtOnce();
    ApplyFontMetrics(label->GetFont());
    // Label boxes are laid out with no width of their own; the bubble spans the text through its
    // right padding, as the game's other labels carry their box in their paddings.
    label->m_Layout.m_PaddingRight = kToolTipPaddingRight + label->m_Layout.TextWidth(*label->GetFont());
    m_ToolTip->Show();
    TARN_CATCH("RGLevelTrainer::ShowToolTip()")
}

void RGLevelTrainer::ShowSprite(const std::string& name, const SpritePtr& sprite, const FadePtr& fade)
{
    m_NamedSprites[name] = NamedSprite{sprite, fade};
}

void RGLevelTrainer::HideSprite(const std::string& name)
{
    auto entry = m_NamedSprites.find(name);
    if (entry == m_NamedSprites.end()) {
        gLoger << (SCore::GetCurrentDateTime() + " level trainer: no sprite named [" + name + "] to hide\n");
        return;
    }
    FadeOut(entry->second.m_Fade);
}

RGLevelTrainer::FadePtr RGLevelTrainer::GetSpriteFade(const std::string& name) const
{
    auto entry = m_NamedSprites.find(name);
    return entry == m_NamedSprites.end() ? FadePtr() : entry->second.m_Fade;
}

void RGLevelTrainer::FadeIn(const FadePtr& fade) { fade->Start(TarnEngine::STS_FADE_IN); }

void RGLevelTrainer::FadeOut(const FadePtr& fade) { fade->Start(TarnEngine::STS_FADE_OUT); }

} // namespace Runegarden
