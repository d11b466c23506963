#include "game/app/screens/RGMenu.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/STextureAnimatorFrame.h"
#include "engine/core/render/STexture.h"
#include "engine/core/serialization/STextureFiltration.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "engine/framework/ui/SUIForm.h"
#include "game/app/kit/RGEventBinding.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/app/kit/RGScreenKit.h"
#include "game/audio/RGSoundManager.h"
#include "game/gameplay/services/RGFontMetrics.h"
#include "game/gameplay/services/RGLocalizationFont.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/files.h"
#include "platform/win32.h"

#include <cmath>

static const char* const kTarnSource = "..\\Src\\RGMenu";

using TarnEngine::STS_FADE_IN;
using TarnEngine::STS_FADE_OUT;
using TarnEngine::STS_HIDDEN;
using TarnEngine::STS_SHOWN;
using TarnEngine::UI::SUIButton;
using TarnEngine::UI::SUIForm;

namespace Runegarden {

namespace {

const float kRowCellWidth = 0.014405f;
const float kRowCellHeight = 0.0349027f;
const float kRowSpacing = 0.99f;
const float kPaddingTop = 0.0195755f;
const float kPaddingBottom = 0.0288218f;
// Side paddings that make a row's background span its 20 characters with the text centred on it.
const float kRowSidePadding = RGScreenKit::HalfBox(20, kRowCellWidth, kRowSpacing);

bool FileExists(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

boost::shared_ptr<SUIForm> MakeForm(const std::string& name, float x, float y, float w, float h)
{
    boost::shared_ptr<SUIForm> form(new SUIForm(name));
    form->SetViewport(RGSpriteCreator::GetViewport());
    form->m_X = x;
    form->m_Y = y;
    form->m_W = w;
    form->m_H = h;
    return form;
}

// The forms of a dialog: the same box in the middle of the screen.
boost::shared_ptr<SUIForm> MakeDialog(const std::string& name, const std::string& background)
{
    boost::shared_ptr<SUIForm> form = MakeForm(name, 0.2275390625f, 0.18f, 0.544921875f, 0.625f);
    form->m_Background = RGScreenKit::Sprite(background, true, 0.0f, 0.0f, 0.54296875f, 0.931640625f);
    return form;
}

void SetRowColour(TarnEngine::STextureFont& font) { RGScreenKit::SetColour(font, 255, 75, 95, 96); }

void PlaceAndDraw(TarnEngine::SSprite& sprite, float x, float y)
{
    sprite.m_Position.X = x;
    sprite.m_Position.Y = y;
    sprite.m_Cached = false;
    if (sprite.m_Enabled) sprite.Draw();
}

} // namespace

RGMenu::RGMenu(const boost::shared_ptr<SCore::SViewport>& viewport, boost::shared_ptr<TarnEngine::SInputMessager> input,
               boost::shared_ptr<RGMp3Player> music)
    : m_ProfileChanged(false), m_FullScreenChanged(false), m_Viewport(viewport), m_Input(input), m_Result(RGMR_NONE),
      m_JustStarted(true), m_Music(music), m_RememberedFullScreen(false), m_DrawnRows(0)
{
    Create();
}

RGMenu::~RGMenu()
{
    try {
        SaveProfiles();
    } catch (const std::exception& e) {
        gLoger << SCore::GetCurrentDateTime() << (" the menu could not save the profiles: " + std::string(e.what()) + "\n");
    } catch (...) {
        gLoger << SCore::GetCurrentDateTime() << " the menu could not save the profiles\n";
    }
}

void RGMenu::Create()
{
    TARN_TRY
    m_UI.reset(new TarnEngine::UI::SUIApplication);
    m_UI->SetViewport(m_Viewport);
    if (m_Input) m_Input->AddReceiver(m_UI);
    CreateUserProfileForm();
    CreateMainForm();
    CreateNewUserForm();
    CreateAreYouSureForm();
    CreateCreditsForm();
    CreateSettingsForm();
    CreateHighScoreForm();
    const boost::shared_ptr<RGUserProfile> profile = gProfileManager ? gProfileManager->GetCurrent() : nullptr;
    RGScreenKit::SetText(*m_WelcomeLabel, L"Welcome! " + (profile ? profile->Name : std::wstring()));
    if (gProfileManager) {
        if (m_Music) m_Music->SetVolume(gProfileManager->MusicVolume);
        if (gSoundManager) gSoundManager->SetMasterVolume(gProfileManager->SoundVolume);
    }
    m_HighScoreRow = RGScreenKit::Label(20, 0.02f, 0.04f, 1.0f, 0.3019f, 0.125f, L"Player");
    // Each cell centred under its column's header.
    RGScreenKit::CentreOnBox(*m_HighScoreRow);
    m_Ball = RGScreenKit::Sprite("BALL", true, 0.0f, 0.0f, 1.0f, 1.0f);
    boost::shared_ptr<SCore::STextureFiltration> bilinear(new SCore::STextureFiltration);
    bilinear->m_IsBilinear = true;
    m_Ball->m_Material.m_Filtration1 = bilinear;
    m_Ball->m_Material.m_DstBlend = 2;
    m_Ball->m_Position.Width = 0.6f;
    m_Ball->m_Position.Height = 0.6f;
    UpdateBonusLevelButton();
    TARN_CATCH("RGMenu::Create()")
}

void RGMenu::CreateMainForm()
{
    boost::shared_ptr<SUIForm> form = MakeForm("MainForm", 0.0f, 0.0f, 0.999f, 0.999f);
    struct Strip {
        const char* texture;
        float x, y;
        void (RGMenu::*click)();
    };
    const float kNormal = 0.26953125f, kOver = 0.5390625f;
    const Strip strips[] = {
        {"PLAYGAMEACTPAS", 0.31103515625f, 0.501953125f, &RGMenu::OnPlayGame},
        {"SETTINGSACTPAS", 0.52099609375f, 0.501953125f, &RGMenu::OnSettings},
        {"HIGHSCOREACTPAS", 0.31103515625f, 486.5f / 768.0f, &RGMenu::OnHighScore},
        {"EXITACTPAS", AlignToTexel(1024, 0.522f), AlignToTexel(768, 0.635f), &RGMenu::OnExit},
    };
    for (const Strip& strip : strips) {
        RGScreenKit::ButtonPtr button = RGScreenKit::StripButton(strip.texture, 0.78125f, 0.0f, kNormal, kNormal, kOver,
                                                                 strip.x, strip.y, 0.1953125f, 0.08984375f);
        BindClickEvent(*button, strip.click, this);
        BindFocusEvent(*button, &RGMenu::OnFocus, this);
        form->AddControl(button);
    }
    RGScreenKit::ButtonPtr ifThis =
        RGScreenKit::StripButton("IFTHIS", 0.537109375f, 0.0f, 0.46875f, 0.46875f, 0.9375f, AlignToTexel(1024, 0.36572265625f),
                                 AlignToTexel(768, 0.298f), 0.2685546875f, 29.0f / 768.0f);
    BindClickEvent(*ifThis, &RGMenu::OnChangeUser, this);
    BindFocusEvent(*ifThis, &RGMenu::OnFocus, this);
    form->AddControl(ifThis);

    m_BonusLevelButton =
        RGScreenKit::StripButton("BONUSLEVELACTPASDIS", 0.810546875f, 0.28125f, 0.5625f, 0.5625f, 0.84375f,
                                 AlignToTexel(1024, 0.311f), AlignToTexel(768, 0.371f), 0.4052734375f, 0.09375f);
    m_BonusLevelButton->m_DisabledSprite = RGScreenKit::Sprite("BONUSLEVELACTPASDIS", true, 0.0f, 0.0f, 0.810546875f, 0.28125f);
    BindClickEvent(*m_BonusLevelButton, &RGMenu::OnBonusLevel, this);
    BindFocusEvent(*m_BonusLevelButton, &RGMenu::OnBonusLevelFocus, this);
    form->AddControl(m_BonusLevelButton);

    m_WelcomeLabel = RGScreenKit::Label(20, 0.04f, 0.08f, 1.12f, 0.052f, 0.193f, L"Welcome!");
    RGScreenKit::CentreOnBox(*m_WelcomeLabel);
    RGScreenKit::SetColour(*m_WelcomeLabel->GetFont(), 255, 227, 65, 115);
    form->AddControl(m_WelcomeLabel);

    form->m_Background = RGScreenKit::Sprite("MENUBKG", true, 0.0f, 0.0f, 1.0f, 0.7412109375f);
    m_UI->AddForm(form);

    m_Hint = RGScreenKit::Sprite("NOTAVAILABLE", true, 0.0f, 0.0f, 0.78125f, 0.5390625f);
    m_Hint->m_Material.m_AlphaOp = 4;
    m_Hint->m_Position = SCore::SRect{AlignToTexel(1024, 0.32f), m_BonusLevelButton->m_Y, 0.390625f, 0.08984375f};
    m_HintFade = RGScreenKit::Fade(2000.0f, m_Hint, STS_HIDDEN);
    CreateLogo(*form);
}

void RGMenu::CreateLogo(SUIForm& form)
{
    if (!FileExists(L"fsdata\\logo_a.png") || !FileExists(L"fsdata\\logo_na.png")) return;
    for (const char* name : {"logo_a.png", "logo_na.png"}) {
        boost::shared_ptr<SCore::STexture> texture = m_Viewport->CreateTexture(name);
        texture->LoadFromFile(m_Viewport->m_RenderDevice, std::string("fsdata\\") + name);
        m_Viewport->m_TextureManager->AddTexture(texture);
    }
    m_LogoButton = RGScreenKit::Button(RGScreenKit::Sprite("logo_na.png", true, 0.0f, 0.0f, 1.0f, 1.0f),
                                       RGScreenKit::Sprite("logo_a.png", true, 0.0f, 0.0f, 1.0f, 1.0f),
                                       AlignToTexel(1024, 0.43565f), AlignToTexel(768, 0.756f),
                                       AlignToPixel(1024, 0.1287f), AlignToPixel(768, 0.07085f));
    BindClickEvent(*m_LogoButton, &RGMenu::OnLogo, this);
    form.AddControl(m_LogoButton);
}

void RGMenu::CreateAreYouSureForm()
{
    boost::shared_ptr<SUIForm> form = MakeDialog("AreYouSure", "AREYOUSURE");
    RGScreenKit::ButtonPtr yes =
        RGScreenKit::PairButton("BTNYESPAS", "BTNYESACT", 0.62890625f, 0.640625f, 0.07682292f, 0.25f, 0.1572265625f, 0.10677083f);
    BindClickEvent(*yes, &RGMenu::OnAreYouSureYes, this);
    BindFocusEvent(*yes, &RGMenu::OnFocus, this);
    form->AddControl(yes);
    RGScreenKit::ButtonPtr no =
        RGScreenKit::PairButton("BTNNOPAS", "BTNNOACT", 0.62890625f, 0.640625f, 0.3108724f, 0.25f, 0.1572265625f, 0.10677083f);
    BindClickEvent(*no, &RGMenu::OnClose, this);
    BindFocusEvent(*no, &RGMenu::OnFocus, this);
    form->AddControl(no);
    m_UI->AddForm(form);
}

void RGMenu::CreateCreditsForm()
{
    boost::shared_ptr<SUIForm> form = MakeForm("CreditsForm", 0.0f, 0.0f, 0.999f, 0.999f);
    RGScreenKit::SpritePtr credits = RGScreenKit::Sprite("CREDITS", true, 0.0f, 0.0f, 1.0f, 0.7412109375f);
    RGScreenKit::ButtonPtr picture = RGScreenKit::Button(credits, credits, 0.0f, 0.0f, 0.999f, 0.999f);
    BindClickEvent(*picture, &RGMenu::OnCloseCredits, this);
    BindFocusEvent(*picture, &RGMenu::OnFocus, this);
    form->AddControl(picture);
    m_UI->AddForm(form);
}

void RGMenu::CreateSettingsForm()
{
    boost::shared_ptr<SUIForm> form = MakeDialog("Settings", "SETTINGS");
    RGScreenKit::ButtonPtr ok =
        RGScreenKit::PairButton("OKBTNPAS", "OKBTNACT", 0.7421875f, 0.703125f, 0.258615f, 0.5125f, 0.0927734375f, 0.05859375f);
    BindClickEvent(*ok, &RGMenu::OnSettingsOk, this);
    BindFocusEvent(*ok, &RGMenu::OnFocus, this);
    form->AddControl(ok);
    RGScreenKit::ButtonPtr credit = RGScreenKit::PairButton("CREDITBTNPAS", "CREDITBTNACT", 0.7421875f, 0.703125f, 0.41f,
                                                            0.5125f, 0.0927734375f, 0.05859375f);
    BindClickEvent(*credit, &RGMenu::OnCredits, this);
    BindFocusEvent(*credit, &RGMenu::OnFocus, this);
    form->AddControl(credit);

    const float stored[] = {gProfileManager ? gProfileManager->MusicVolume : 1.0f,
                            gProfileManager ? gProfileManager->SoundVolume : 1.0f};
    const float ys[] = {0.18510418f, 0.35010415f};
    for (int i = 0; i < 2; ++i) {
        boost::shared_ptr<TarnEngine::UI::SUITrackBar> bar(new TarnEngine::UI::SUITrackBar);
        bar->SetViewport(m_Viewport);
        bar->m_ThumbSprite = RGScreenKit::Sprite("SHUTTLE", true, 0.0f, 0.0f, 1.0f, 1.0f);
        bar->m_ThumbWidth = 0.04545f;
        bar->m_ThumbHeight = 1.0f;
        bar->m_X = 0.12246094f;
        bar->m_Y = ys[i];
        bar->m_W = 0.334f;
        bar->m_H = 0.08333f;
        BindChangeEvent(*bar, i == 0 ? &RGMenu::OnMusicVolumeChanged : &RGMenu::OnSoundVolumeChanged, this);
        // A stored volume outside the bar's range is taken as its nearest end.
        bar->m_Value = std::min(1.0f, std::max(0.0f, stored[i]));
        form->AddControl(bar);
        (i == 0 ? m_MusicTrackBar : m_SoundTrackBar) = bar;
    }

    m_FullScreenCheckBox.reset(new TarnEngine::UI::SUICheckBox);
    m_FullScreenCheckBox->SetViewport(m_Viewport);
    const float u = 0.703125f;
    m_FullScreenCheckBox->m_UncheckedSprite = RGScreenKit::Sprite("CHECK", true, 0.0f, 0.0f, u, 0.19921875f);
    m_FullScreenCheckBox->m_UncheckedOverSprite = RGScreenKit::Sprite("CHECK", true, 0.0f, 0.19921875f, u, 0.3984375f);
    m_FullScreenCheckBox->m_CheckedSprite = RGScreenKit::Sprite("CHECK", true, 0.0f, 0.3984375f, u, 0.59765625f);
    m_FullScreenCheckBox->m_CheckedOverSprite = RGScreenKit::Sprite("CHECK", true, 0.0f, 0.59765625f, u, 0.796875f);
    m_FullScreenCheckBox->m_X = 0.04931640625f;
    m_FullScreenCheckBox->m_Y = 0.5110677f;
    m_FullScreenCheckBox->m_W = 0.17578125f;
    m_FullScreenCheckBox->m_H = 0.05859375f;
    BindClickEvent(*m_FullScreenCheckBox, &RGMenu::OnFullScreenChanged, this);
    form->AddControl(m_FullScreenCheckBox);
    m_UI->AddForm(form);
}

void RGMenu::CreateUserProfileForm()
{
    boost::shared_ptr<SUIForm> form = MakeDialog("UserProfile", "WHOAREYOU");
    struct Pair {
        const char *normal, *over;
        float right, bottom, x, y, w, h;
        void (RGMenu::*click)();
    };
    const Pair pairs[] = {
        {"OKBTNPAS", "OKBTNACT", 0.7421875f, 0.703125f, 0.066650390625f, 0.5f, 0.0927734375f, 0.05859375f,
         &RGMenu::OnUserProfileOk},
        {"CANBTNPAS", "CANBTNACT", 0.7421875f, 0.703125f, 0.22607421875f, 0.5f, 0.0927734375f, 0.05859375f, &RGMenu::OnClose},
        {"DELBTNPAS", "DELBTNACT", 0.7421875f, 0.703125f, 0.385498046875f, 0.5f, 0.0927734375f, 0.05859375f,
         &RGMenu::OnAskConfirmation},
        {"BTNNEWUSERPAS", "BTNNEWUSERACT", 0.65625f, 0.75f, 0.1083984375f, 0.1f, 0.328125f, 0.0625f, &RGMenu::ShowNewUserForm},
    };
    for (const Pair& pair : pairs) {
        RGScreenKit::ButtonPtr button =
            RGScreenKit::PairButton(pair.normal, pair.over, pair.right, pair.bottom, pair.x, pair.y, pair.w, pair.h);
        BindClickEvent(*button, pair.click, this);
        BindFocusEvent(*button, &RGMenu::OnFocus, this);
        form->AddControl(button);
    }
    m_ProfileList.reset(new TarnEngine::UI::SUIListBox);
    m_ProfileList->SetViewport(m_Viewport);
    m_ProfileList->Create(kRowCellWidth, kRowCellHeight, kRowSpacing, gLocalizationFont.m_Name, gLocalizationFont.Columns(),
                          gLocalizationFont.Rows(), 0.13331875f, 0.18f, 3, kRowSidePadding, kPaddingTop, kRowSidePadding,
                          kPaddingBottom);
    m_ProfileList->m_NormalLook = RGScreenKit::Sprite("TXTBOXBKG", true, 0.0f, 0.0f, 0.576171875f, 1.0f);
    m_ProfileList->m_SelectedLook = RGScreenKit::Sprite("TXTBOXBKG", true, 0.0f, 0.0f, 0.576171875f, 1.0f);
    TarnEngine::SSprite& selected = *m_ProfileList->m_SelectedLook;
    selected.m_ColorLU = selected.m_ColorRU = selected.m_ColorLD = selected.m_ColorRD = 0xFFA0FFF0u;
    m_ProfileList->m_ArrowSprite = RGScreenKit::Sprite("SCROLLPOINT", true, 0.0f, 0.0f, 1.0f, 1.0f);
    m_ProfileList->m_RowAlignment = TarnEngine::UI::SUITA_CENTER;
    form->AddControl(m_ProfileList);
    m_UI->AddForm(form);
    if (gProfileManager) {
        for (const boost::shared_ptr<RGUserProfile>& profile : gProfileManager->m_Profiles)
            m_ProfileList->AddItem(profile->Name);
        if (gProfileManager->GetCurrent()) m_ProfileList->SelectItem(gProfileManager->GetCurrent()->Name);
    }
}

void RGMenu::CreateNewUserForm()
{
    boost::shared_ptr<SUIForm> form = MakeDialog("NewUser", "NEWUSER");
    RGScreenKit::ButtonPtr ok = RGScreenKit::PairButton("OKBTNPAS", "OKBTNACT", 0.7421875f, 0.703125f, 0.1197916641831398f,
                                                        0.42f, 0.0927734375f, 0.05859375f);
    BindClickEvent(*ok, &RGMenu::OnNewUserOk, this);
    BindFocusEvent(*ok, &RGMenu::OnFocus, this);
    ok->m_EnterActivates = true;
    form->AddControl(ok);
    RGScreenKit::ButtonPtr cancel = RGScreenKit::PairButton("CANBTNPAS", "CANBTNACT", 0.7421875f, 0.703125f,
                                                            0.3323567807674408f, 0.42f, 0.0927734375f, 0.05859375f);
    BindClickEvent(*cancel, &RGMenu::OnNewUserCancel, this);
    BindFocusEvent(*cancel, &RGMenu::OnFocus, this);
    form->AddControl(cancel);

    boost::shared_ptr<TarnEngine::UI::SUITextBox> name(new TarnEngine::UI::SUITextBox);
    name->SetViewport(m_Viewport);
    name->m_Background = RGScreenKit::Sprite("TXTBOXBKG", true, 0.0f, 0.0f, 0.576171875f, 1.0f);
    name->m_CaretSprite = RGScreenKit::Sprite("TEXTBOXCURSOR", true, 0.0f, 0.0f, 1.0f, 1.0f);
    name->m_CaretSprite->m_Position.Width = 0.0009765625f;
    name->m_CaretSprite->m_Position.Height = 0.02994791604578495f;
    boost::shared_ptr<SCore::STextureAnimatorFrame> caret(new SCore::STextureAnimatorFrame("TEXTBOXCURSORAnimator", 2, 1));
    caret->m_AnimationSpeed = 2.0f;
    name->m_CaretSprite->m_Material.SetAnimator1(caret);
    name->Create(kRowCellWidth, kRowCellHeight, kRowSpacing, gLocalizationFont.m_Name, gLocalizationFont.Columns(),
                 gLocalizationFont.Rows(), 0.13331875f, 0.18f);
    name->DoMouseDown(0.0f, 0.0f);
    name->m_Layout.m_Alignment = TarnEngine::UI::SUITA_CENTER;
    name->m_Layout.m_PaddingTop = kPaddingTop;
    name->m_Layout.m_PaddingLeft = kRowSidePadding;
    name->m_Layout.m_PaddingRight = kRowSidePadding;
    name->m_Layout.m_PaddingBottom = kPaddingBottom;
    name->BindText(m_NewUserName);
    SetRowColour(*name->GetFont());
    gLocalizationFont.ApplyIndent(*name->GetFont());
    ApplyFontMetrics(name->GetFont());
    form->AddControl(name);
    m_UI->AddForm(form);

    m_Message = RGScreenKit::Sprite("PROFILEEXIST", true, 0.0f, 0.0f, 0.78125f, 0.5390625f);
    m_Message->m_Material.m_AlphaOp = 4;
    m_Message->m_Position = SCore::SRect{0.31884765625f, 0.4680989682674408f, 0.390625f, 0.08984375f};
    m_MessageFade = RGScreenKit::Fade(2000.0f, m_Message, STS_HIDDEN);
    m_MessageFade->ApplyAlpha(0);
}

void RGMenu::CreateHighScoreForm()
{
    boost::shared_ptr<SUIForm> form = MakeForm("HighScore", 0.0f, 0.0f, 0.99f, 0.99f);
    form->m_Background = RGScreenKit::Sprite("SCOREBKG", true, 0.0f, 0.0f, 1.0f, 1.0f);
    RGScreenKit::ButtonPtr ok =
        RGScreenKit::PairButton("OKBTNPAS", "OKBTNACT", 0.7421875f, 0.703125f, 0.1f, 0.85f, 0.0927734375f, 0.05859375f);
    BindClickEvent(*ok, &RGMenu::OnClose, this);
    BindFocusEvent(*ok, &RGMenu::OnFocus, this);
    form->AddControl(ok);
    RGScreenKit::ButtonPtr clear = RGScreenKit::PairButton("CLEARBTNPAS", "CLEARBTNACT", 0.7421875f, 0.703125f, 0.81f, 0.85f,
                                                           0.0927734375f, 0.05859375f);
    BindClickEvent(*clear, &RGMenu::OnAskConfirmation, this);
    BindFocusEvent(*clear, &RGMenu::OnFocus, this);
    form->AddControl(clear);
    BindUpdateEvent(*form, &RGMenu::UpdateHighScoreList, this);
    m_UI->AddForm(form);
}

void RGMenu::Start()
{
    m_UI->CloseAllForms();
    m_LeftForms.clear();
    m_JustStarted = true;
    m_Result = RGMR_NONE;
    m_RememberedFullScreen = m_FullScreenCheckBox->m_Checked;
    UpdateBonusLevelButton();
}

void RGMenu::Leave()
{
    // Off the stack the forms get no pointer or key event at all; the menu draws them itself.
    while (const boost::shared_ptr<SUIForm> form = m_UI->GetCurrentForm()) {
        m_LeftForms.insert(m_LeftForms.begin(), form);
        m_UI->CloseForm();
    }
}

void RGMenu::SetFullScreenChecked(bool checked)
{
    m_FullScreenCheckBox->m_Checked = checked;
    m_RememberedFullScreen = checked;
}

void RGMenu::UpdateBonusLevelButton()
{
    if (!gProfileManager || gProfileManager->m_Profiles.empty()) return;
    m_BonusLevelButton->SetEnabled(GetCurrentLevelName() == "done");
}

int32_t RGMenu::GetResult()
{
    CriticalSectionLock lock(m_Lock.Section());
    return m_Result;
}

std::string RGMenu::GetCurrentLevelName()
{
    const boost::shared_ptr<RGUserProfile> profile = gProfileManager ? gProfileManager->GetCurrent() : nullptr;
    return profile ? profile->Level : std::string();
}

std::string RGMenu::GetCurrentBonusLevelName()
{
    const boost::shared_ptr<RGUserProfile> profile = gProfileManager ? gProfileManager->GetCurrent() : nullptr;
    return profile ? profile->BonusLevel : std::string();
}

void RGMenu::Render()
{
    TARN_TRY
    {
        CriticalSectionLock lock(m_Lock.Section());
        std::vector<boost::shared_ptr<TarnEngine::STextureFont>> fonts;
        m_ProfileList->GetItemFonts(fonts);
        for (const boost::shared_ptr<TarnEngine::STextureFont>& font : fonts) {
            gLocalizationFont.ApplyIndent(*font);
            ApplyFontMetrics(font);
            SetRowColour(*font);
        }
    }
    if (m_JustStarted) {
        m_UI->ShowForm("MainForm");
        if (!gProfileManager || gProfileManager->m_Profiles.empty()) ShowNewUserForm();
        m_JustStarted = false;
    }
    m_HintFade->Update();
    m_MessageFade->Update();
    if (!m_BonusLevelButton->IsEnabled() && m_BonusLevelButton->GetState() != TarnEngine::UI::SUICS_OVER &&
        (m_HintFade->m_TransitionState == STS_SHOWN || m_HintFade->m_TransitionState == STS_FADE_IN))
        m_HintFade->Start(STS_FADE_OUT);
    if (!m_UI->IsHidden()) {
        m_UI->DoRender(0.0f, 0.0f);
        for (const boost::shared_ptr<SUIForm>& form : m_LeftForms) form->DoRender(0.0f, 0.0f);
    }
    RGScreenKit::Draw(m_Hint);
    RGScreenKit::Draw(m_Message);
    TARN_CATCH("RGMenu::Render()")
}

void RGMenu::PlaySound(const std::string& name)
{
    if (gSoundManager) gSoundManager->PlaySound(name);
}

void RGMenu::SaveProfiles()
{
    if (gProfileManager) gProfileManager->Save();
}

void RGMenu::PlayClickWhileNoResult()
{
    if (m_Result == RGMR_NONE) PlaySound("Click");
}

void RGMenu::OnPlayGame()
{
    CriticalSectionLock lock(m_Lock.Section());
    PlayClickWhileNoResult();
    m_Result = GetCurrentLevelName().empty() ? RGMR_NEW_GAME : RGMR_PLAY;
}

void RGMenu::OnSettings()
{
    PlayClickWhileNoResult();
    m_UI->ShowForm("Settings");
}

void RGMenu::OnHighScore()
{
    PlayClickWhileNoResult();
    m_UI->ShowForm("HighScore");
}

void RGMenu::OnExit()
{
    PlayClickWhileNoResult();
    m_UI->ShowForm("AreYouSure");
}

void RGMenu::OnChangeUser()
{
    m_UI->ShowForm("UserProfile");
    const boost::shared_ptr<RGUserProfile> profile = gProfileManager ? gProfileManager->GetCurrent() : nullptr;
    if (profile) m_ProfileList->SelectItem(profile->Name);
}

void RGMenu::OnBonusLevel()
{
    CriticalSectionLock lock(m_Lock.Section());
    PlayClickWhileNoResult();
    m_Result = RGMR_BONUS;
}

void RGMenu::OnLogo()
{
    if (!FileExists(L"website.url")) return;
    // The shell opens only an http or https address of the shortcut.
    const HINSTANCE result = ShellExecuteA(nullptr, "open", "website.url", nullptr, nullptr, SW_HIDE);
    if (reinterpret_cast<intptr_t>(result) <= 32)
        gLoger << SCore::GetCurrentDateTime() << " website.url skipped: no http or https address, or nothing to open it with\n";
}

void RGMenu::OnFocus()
{
    if (m_Result == RGMR_NONE) PlaySound("Focus");
}

void RGMenu::OnBonusLevelFocus()
{
    if (!m_BonusLevelButton->IsEnabled() &&
        (m_HintFade->m_TransitionState == STS_HIDDEN || m_HintFade->m_TransitionState == STS_FADE_OUT))
        m_HintFade->Start(STS_FADE_IN);
    if (m_Result == RGMR_NONE) PlaySound("Focus");
}

void RGMenu::OnCredits()
{
    PlayClickWhileNoResult();
    m_UI->ShowForm("CreditsForm");
}

void RGMenu::OnCloseCredits()
{
    PlaySound("Click");
    m_UI->CloseForm();
}

void RGMenu::OnAreYouSureYes()
{
    CriticalSectionLock lock(m_Lock.Section());
    m_UI->CloseForm();
    const std::string asker = m_UI->GetCurrentFormName();
    if (asker == "UserProfile") {
        DeleteSelectedProfile();
    } else if (asker == "HighScore") {
        if (gProfileManager) gProfileManager->m_HighScore.m_Entries.clear();
    } else if (asker == "MainForm") {
        m_Result = RGMR_EXIT;
    }
}

void RGMenu::OnClose() { m_UI->CloseForm(); }

void RGMenu::OnSettingsOk()
{
    PlaySound("Click");
    m_UI->CloseForm();
    if (!gProfileManager) return;
    gProfileManager->MusicVolume = m_MusicTrackBar->m_Value;
    gProfileManager->SoundVolume = m_SoundTrackBar->m_Value;
    SaveProfiles();
}

void RGMenu::OnMusicVolumeChanged()
{
    if (m_MusicTrackBar && m_Music) m_Music->SetVolume(0.5f + m_MusicTrackBar->m_Value * 0.5f);
}

void RGMenu::OnSoundVolumeChanged()
{
    if (!m_SoundTrackBar) return;
    if (gSoundManager) gSoundManager->SetMasterVolume(0.5f + m_SoundTrackBar->m_Value * 0.5f);
    PlaySound("Tooth");
}

void RGMenu::OnFullScreenChanged()
{
    const bool checked = m_FullScreenCheckBox->m_Checked;
    m_FullScreenChanged = checked != m_RememberedFullScreen;
    m_RememberedFullScreen = checked;
}

void RGMenu::UpdateWelcome()
{
    const boost::shared_ptr<RGUserProfile> profile = gProfileManager ? gProfileManager->GetCurrent() : nullptr;
    const std::wstring text = L"Welcome! " + (profile ? profile->Name : std::wstring());
    if (text != m_WelcomeLabel->GetText()) m_ProfileChanged = true;
    RGScreenKit::SetText(*m_WelcomeLabel, text);
}

void RGMenu::OnUserProfileOk()
{
    m_UI->CloseForm();
    if (gProfileManager) {
        gProfileManager->SelectProfile(m_ProfileList->GetSelectedItemText());
        SaveProfiles();
    }
    UpdateWelcome();
    UpdateBonusLevelButton();
}

void RGMenu::OnAskConfirmation() { m_UI->ShowForm("AreYouSure"); }

void RGMenu::ShowNewUserForm()
{
    m_NewUserName.clear();
    m_UI->ShowForm("NewUser");
}

void RGMenu::DeleteSelectedProfile()
{
    if (!gProfileManager) return;
    const std::wstring name = m_ProfileList->GetSelectedItemText();
    RGUserProfileManager::Profiles::iterator found = gProfileManager->FindProfile(name);
    if (found != gProfileManager->m_Profiles.end()) gProfileManager->m_Profiles.erase(found);
    m_ProfileList->RemoveSelectedItem();
    if (m_ProfileList->GetItemCount() > 0) gProfileManager->SelectProfile(m_ProfileList->GetSelectedItemText());
    SaveProfiles();
    UpdateWelcome();
    if (gProfileManager->m_Profiles.empty()) ShowNewUserForm();
}

void RGMenu::OnNewUserOk()
{
    CriticalSectionLock lock(m_Lock.Section());
    if (m_NewUserName.empty() || !gProfileManager) return;
    if (gProfileManager->FindProfile(m_NewUserName) != gProfileManager->m_Profiles.end()) {
        m_MessageFade->Start(STS_FADE_IN);
        return;
    }
    m_MessageFade->m_TransitionState = STS_HIDDEN;
    m_MessageFade->ApplyAlpha(0);
    m_UI->CloseForm();
    const std::wstring name = m_NewUserName;
    m_ProfileList->InsertItem(name);
    m_ProfileList->SelectItem(name);
    gProfileManager->CreateProfile(name);
    gProfileManager->SelectProfile(m_ProfileList->GetSelectedItemText());
    SaveProfiles();
    UpdateWelcome();
    UpdateBonusLevelButton();
}

void RGMenu::OnNewUserCancel()
{
    m_MessageFade->m_TransitionState = STS_HIDDEN;
    m_MessageFade->ApplyAlpha(0);
    if (gProfileManager && !gProfileManager->m_Profiles.empty()) m_UI->CloseForm();
}

void RGMenu::UpdateHighScoreList()
{
    TARN_TRY
    struct Ball {
        float a, b, s, c;
    };
    const Ball balls[] = {{0.0001f, 0.0003f, 0.4f, 0.3f}, {0.0007f, 0.0002f, 0.4f, 0.3f}, {0.0005f, 0.0003f, 0.2f, 0.4f}};
    for (const Ball& ball : balls) {
        const float x = std::sin(static_cast<float>(timeGetTime()) * ball.a) * ball.s + ball.c;
        const float y = std::sin(static_cast<float>(timeGetTime()) * ball.b) * ball.s + ball.c;
        PlaceAndDraw(*m_Ball, x, y);
    }
    if (m_HeaderFont) {
        TarnEngine::STextureFont& header = *m_HeaderFont;
        RGScreenKit::SetColour(header, 255, 240, 181, 56);
        header.m_GlyphWidth = 0.0154f;
        header.m_GlyphHeight = 0.035f;
        const std::pair<const char*, float> columns[] = {{"Player", 0.205f}, {"Level", 0.461f}, {"High Score", 0.672f}};
        for (const auto& column : columns) {
            header.SetText(column.first);
            header.m_X = column.second;
            header.m_Y = 0.123f;
            header.m_Cached = false;
            RGScreenKit::Draw(m_HeaderFont);
        }
    }
    TarnEngine::STextureFont& rowFont = *m_HighScoreRow->GetFont();
    for (uint8_t& byte : rowFont.m_Color) byte = 255;
    m_HighScoreRow->m_Layout.m_Alignment = TarnEngine::UI::SUITA_CENTER;
    m_DrawnRows = 0;
    if (!gProfileManager) return;
    const std::vector<RGHighScoreEntry>& rows = gProfileManager->m_HighScore.m_Entries;
    float y = 0.2f;
    for (size_t i = 0; i < rows.size() && i < 10; ++i, y += 0.064f) {
        m_HighScoreRow->m_Y = y;
        const std::pair<float, std::wstring> cells[] = {{0.059f, rows[i].Name},
                                                        {0.313f, RGScreenKit::Widen(rows[i].Level)},
                                                        {0.558f, std::to_wstring(rows[i].BestScore)}};
        for (const auto& cell : cells) {
            m_HighScoreRow->m_X = cell.first;
            RGScreenKit::SetText(*m_HighScoreRow, cell.second);
            if (!m_HighScoreRow->IsHidden()) m_HighScoreRow->DoRender(0.0f, 0.0f);
        }
        ++m_DrawnRows;
    }
    TARN_CATCH("RGMenu::UpdateHighScoreList()")
}

} // namespace Runegarden
