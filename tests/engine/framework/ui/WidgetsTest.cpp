#include "tests/engine/framework/ui/UIFixture.h"

#include "engine/framework/ui/SProgressBar.h"
#include "engine/framework/drawables/SSpriteTransition.h"
#include "engine/framework/drawables/STextureFont.h"
#include "engine/framework/drawables/STextureFontTransition.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/ui/SUICheckBox.h"
#include "engine/framework/ui/SUILabel.h"
#include "engine/framework/ui/SUIListBox.h"
#include "engine/framework/ui/SUITextBox.h"
#include "engine/framework/ui/SUIToolTip.h"
#include "engine/framework/ui/SUITrackBar.h"

using namespace ui_test;

namespace {

class WidgetsTest : public UITest {
protected:
    // A focused box at (0.1, 0.1) whose characters are 0.02 x 0.05.
    boost::shared_ptr<SUITextBox> TextBox()
    {
        auto box = Make<SUITextBox>();
        box->Create(0.02f, 0.05f, 1.0f, "font", 16, 16, 0.1f, 0.1f);
        box->DoMouseDown(0.1f, 0.1f);
        return box;
    }
    static void Backspace(SUIControl& c) { Key(c, 8); }

    // Five rows "r0".."r4", three visible, at (0.1, 0.1); rows are 0.05 high and end at x 0.5.
    boost::shared_ptr<SUIListBox> List(int rows = 5)
    {
        auto list = Make<SUIListBox>();
        list->Create(0.02f, 0.04f, 1.0f, "font", 16, 16, 0.1f, 0.1f, 3, 0.0f, 0.005f, 0.0f, 0.005f);
        for (int i = 0; i < rows; ++i) list->AddItem(L"r" + std::to_wstring(i));
        return list;
    }
};

} // namespace

TEST_F(WidgetsTest, TextBoxTakesUpperCasedPrintableCharactersUpToItsLength)
{
    auto box = TextBox();
    Type(*box, "a");
    EXPECT_EQ(L"A", box->GetText());
    Type(*box, std::string("\x1F\"\x80\xFF", 4));
    box->DoChar(300);
    EXPECT_EQ(L"A", box->GetText());
    Type(*box, "bcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(L"ABCDEFGHIJKLMNOPQRST", box->GetText());

    auto unfocused = Make<SUITextBox>();
    unfocused->Create(0.02f, 0.05f, 1.0f, "font", 16, 16, 0.1f, 0.1f);
    Type(*unfocused, "a");
    EXPECT_EQ(L"", unfocused->GetText());
}

TEST_F(WidgetsTest, BackspaceNeedsItsKeyDownAndStopsAtTheStart)
{
    auto box = TextBox();
    Type(*box, "ab");
    box->DoKeyUp(8); // no matching key-down
    EXPECT_EQ(L"AB", box->GetText());
    Backspace(*box);
    EXPECT_EQ(L"A", box->GetText());
    EXPECT_EQ(L"A", box->GetFont()->GetText());
    Backspace(*box);
    Backspace(*box);
    EXPECT_EQ(L"", box->GetText());
}

TEST_F(WidgetsTest, BoundTextBoxWritesIntoItsStringAndFollowsOutsideChanges)
{
    std::wstring name = L"BOB";
    auto box = TextBox();
    box->BindText(name);
    Type(*box, "x");
    EXPECT_EQ(L"BOBX", name);
    name.clear(); // emptied by its owner while the caret sat at 4
    Type(*box, "x");
    EXPECT_EQ("", ThrownText([&] { Backspace(*box); }));
    EXPECT_EQ(L"", name);
    name = L"NEW";
    box->DoRender(0, 0);
    EXPECT_EQ(L"NEW", box->GetFont()->GetText());
}

TEST_F(WidgetsTest, TextLayoutAlignsInsideATruncatedBoxWidth)
{
    struct Case {
        uint32_t alignment;
        bool fixed;
        float textX;
    } cases[] = {
        // Box widths in viewport fractions truncate to 0: the text sits at the box's left
        // padding, or ends at its right padding.
        {SUITA_LEFT, true, 0.1f + 0.01f},
        {SUITA_CENTER, true, 0.1f + 0.01f - 0.03f},
        {SUITA_RIGHT, false, 0.1f + 0.02f - 0.06f},
    };
    for (const Case& c : cases) {
        auto label = Make<SUILabel>();
        label->Create(10, 0.02f, 0.05f, 1.0f, "font", 16, 16, 0.1f, 0.2f, L"abc");
        label->m_Layout.m_Alignment = c.alignment;
        label->m_Layout.m_FixedWidth = c.fixed;
        label->m_Layout.m_PaddingLeft = 0.01f;
        label->m_Layout.m_PaddingRight = 0.02f;
        label->m_Layout.m_PaddingTop = 0.005f;
        label->m_Background = Sprite("back");
        label->DoRender(0.0f, 0.0f);
        EXPECT_NEAR(c.textX, label->GetFont()->m_X, 1e-6) << c.alignment << " " << c.fixed;
        EXPECT_NEAR(0.205f, label->GetFont()->m_Y, 1e-6);
        EXPECT_NEAR(0.03f, label->m_Background->m_Position.Width, 1e-6);
    }
    auto label = Make<SUILabel>();
    label->Create(10, 0.02f, 0.05f, 1.0f, "font", 16, 16, 0.1f, 0.2f, L"abc");
    EXPECT_EQ("", ThrownText([&] { label->DoRender(0, 0); })); // no background: text only
}

TEST_F(WidgetsTest, TrackBarValueFollowsThePressWithinZeroToOne)
{
    auto bar = Make<SUITrackBar>();
    Place(*bar, 0.25f, 0.0f, 0.5f, 0.1f);
    boost::shared_ptr<Counter> changes(new Counter);
    bar->m_ChangeEvent = changes;
    struct Case {
        int x;
        float value;
    } cases[] = {{200, 0.0f}, {600, 1.0f}, {400, 0.5f}};
    for (const Case& c : cases) {
        Down(*bar, c.x, 30);
        EXPECT_FLOAT_EQ(c.value, bar->m_Value) << c.x;
    }
    EXPECT_EQ(3, changes->m_Count);
    bar->DoMouseDown(0.8f, 0.0f); // a rounding step past the edge
    EXPECT_EQ(1.0f, bar->m_Value);
    bar->m_W = 0.0f;
    bar->DoMouseDown(0.25f, 0.0f);
    EXPECT_EQ(0.0f, bar->m_Value);

    // Drawn without a bar sprite; the thumb sits at the value.
    bar->m_W = 0.5f;
    bar->m_Value = 0.5f;
    bar->m_ThumbSprite = Sprite("thumb");
    EXPECT_EQ(1u, DrawsOf([&] { bar->DoRender(0.0f, 0.2f); }));
    EXPECT_FLOAT_EQ(0.25f + 0.5f * 0.5f * 0.9f, bar->m_ThumbSprite->m_Position.X);
}

TEST_F(WidgetsTest, CheckBoxTogglesOnPressAndClicksOnce)
{
    auto box = Make<SUICheckBox>();
    Place(*box, 0.25f, 0.25f, 0.5f, 0.5f);
    boost::shared_ptr<Counter> clicks(new Counter), focus(new Counter);
    box->m_ClickEvent = clicks;
    box->m_FocusEvent = focus;
    box->m_CheckedOverSprite = Sprite("on over");
    Click(*box, 300, 300);
    Up(*box, 300, 300);
    EXPECT_TRUE(box->m_Checked);
    EXPECT_EQ(1, clicks->m_Count);
    EXPECT_EQ(1, focus->m_Count);
    box->DoRender(0, 0);
    EXPECT_TRUE(box->m_CheckedOverSprite->m_Cached);
    Click(*box, 300, 300);
    EXPECT_FALSE(box->m_Checked);
}

TEST_F(WidgetsTest, ListBoxSelectsRowsAndKeepsSelectionAndScrollInRange)
{
    auto list = List();
    EXPECT_EQ(4u, list->GetSelected());
    list->InsertItem(L"top");
    EXPECT_EQ(0u, list->GetSelected());
    EXPECT_EQ(L"top", list->GetSelectedItemText());
    list->SelectItem(L"r2");
    EXPECT_EQ(3u, list->GetSelected());

    // No row by that name: nothing selected, and removing removes nothing.
    list->SelectItem(L"nobody");
    EXPECT_FALSE(list->HasSelection());
    EXPECT_EQ(L"", list->GetSelectedItemText());
    list->RemoveSelectedItem();
    EXPECT_EQ(6u, list->GetItemCount());
}

TEST_F(WidgetsTest, ListBoxPressesPickRowsAndScroll)
{
    auto list = List();
    // Rows are 0.05 high from y 0.1: the row choice rounds, so the upper half of row 1 is row 1.
    list->DoMouseDown(0.2f, 0.1f + 0.05f * 0.9f);
    EXPECT_EQ(1u, list->GetSelected());
    // The bottom edge of the last visible row rounds to the row below, which does not exist...
    list->DoMouseDown(0.2f, 0.25f);
    EXPECT_EQ(3u, list->GetSelected());
    auto two = List(2);
    two->DoMouseDown(0.2f, 0.2f);
    EXPECT_EQ(1u, two->GetSelected()); // ...and stays within the rows.

    // Right of the rows: the last visible row scrolls down, the first row up.
    EXPECT_TRUE(list->DoHitTest(0.52f, 0.24f));
    list->DoMouseDown(0.52f, 0.24f);
    list->DoMouseDown(0.52f, 0.24f);
    list->DoMouseDown(0.52f, 0.24f);
    EXPECT_EQ(2u, list->GetFirstVisible()); // at most rows - visible
    list->DoMouseDown(0.52f, 0.12f);
    EXPECT_EQ(1u, list->GetFirstVisible());
    EXPECT_FALSE(list->DoHitTest(0.2f, 0.251f)); // below three rows
}

TEST_F(WidgetsTest, RemovingRowsKeepsTheFirstVisibleRowInRange)
{
    auto list = List();
    list->DoMouseDown(0.52f, 0.24f);
    list->DoMouseDown(0.52f, 0.24f);
    ASSERT_EQ(2u, list->GetFirstVisible());
    list->SelectItem(L"r4");
    list->RemoveSelectedItem();
    EXPECT_EQ(1u, list->GetFirstVisible());
    EXPECT_EQ(1u, list->GetSelected());
    EXPECT_EQ(3u, DrawsOf([&] { list->DoRender(0, 0); }));

    // Down to no more rows than visible: selection and scroll go back to the top.
    list->RemoveSelectedItem();
    EXPECT_EQ(0u, list->GetFirstVisible());
    EXPECT_EQ(0u, list->GetSelected());
    EXPECT_EQ(3u, DrawsOf([&] { list->DoRender(0, 0); }));
}

TEST_F(WidgetsTest, ListBoxDrawsVisibleRowsInTheirLooksAndBothArrows)
{
    auto list = List();
    list->m_NormalLook = Sprite("row");
    list->m_SelectedLook = Sprite("selected");
    list->m_ArrowSprite = Sprite("arrow");
    list->SelectItem(L"r1");
    std::vector<boost::shared_ptr<STextureFont>> fonts;
    list->GetItemFonts(fonts);
    EXPECT_EQ(8u, DrawsOf([&] { list->DoRender(0.0f, 0.5f); })); // three rows on their backgrounds, two arrows
    EXPECT_NEAR(0.15f, list->m_SelectedLook->m_Position.Y - 0.5f, 1e-6);
    EXPECT_NEAR(0.2f, list->m_NormalLook->m_Position.Y - 0.5f, 1e-6) << "the last row drawn";
    EXPECT_NEAR(0.15f + 0.005f, fonts[1]->m_Y - 0.5f, 1e-6);
    EXPECT_NEAR(0.5f, list->m_ArrowSprite->m_Position.X, 1e-6);
}

TEST_F(WidgetsTest, ButtonPlacesAndFadesItsToolTip)
{
    platform::testing::SetFakeTime(1000);
    auto button = Make<SUIButton>();
    Place(*button, 0.2f, 0.3f, 0.25f, 0.1f);
    auto tip = Make<SUIToolTip>();
    tip->Create(10, 0.02f, 0.05f, 1.0f, "font", 16, 16, 0.0f, 0.0f, L"", 1);
    tip->m_XOffset = 0.01f;
    tip->m_YOffset = 0.02f;
    button->m_ToolTip = tip;
    button->m_ToolTipText = L"Play";
    Move(*button, 200, 200);
    SUILabel& label = *tip->GetLabel();
    EXPECT_FLOAT_EQ(0.21f, label.m_X);
    EXPECT_FLOAT_EQ(0.3f + 0.25f + 0.02f, label.m_Y); // below by the button's width
    EXPECT_EQ(L"Play", label.GetText());

    // Over the button the tip fades in; once the pointer leaves it hides.
    button->DoRender(0, 0);
    platform::testing::SetFakeTime(1501);
    button->DoRender(0, 0);
    EXPECT_EQ(255u, label.GetFont()->m_Color[0]);
    Move(*button, 10, 10);
    button->DoRender(0, 0);
    EXPECT_FALSE(tip->IsShown());
}

TEST_F(WidgetsTest, ProgressBarCutsItsBarToTheValue)
{
    SProgressBar vertical;
    vertical.Create(m_Viewport, true);
    vertical.m_Background.m_Position = {0.1f, 0.2f, 0.1f, 0.5f};
    vertical.SetValue(0.25f);
    vertical.DoUpdate();
    EXPECT_FLOAT_EQ(0.575f, vertical.m_Bar.m_Position.Y);
    EXPECT_FLOAT_EQ(0.75f, vertical.m_Bar.m_TexCoords.Y);
    EXPECT_EQ(2u, DrawsOf([&] { vertical.DoRender(); }));

    EXPECT_EQ("value >= 0.0f && value <= 1.0f", ThrownText([&] { vertical.SetValue(1.5f); }));
    EXPECT_FLOAT_EQ(0.25f, vertical.GetValue());
}
