#include "tests/engine/framework/ui/UIFixture.h"

#include "engine/framework/ui/SUIApplication.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/ui/SUICheckBox.h"
#include "engine/framework/ui/SUIForm.h"
#include "engine/framework/ui/SUITextBox.h"

#include <thread>

using namespace ui_test;

namespace {

// Writes down which of its operations ran, and where it was drawn.
class Probe : public SUIControl {
public:
    bool DoHitTest(float x, float y) override { return x <= 0.5f && y <= 0.5f; }
    void DoMouseOver() override { m_Log += "over "; }
    void DoMouseDown(float x, float y) override { m_Log += "down "; }
    void DoMouseOut() override { m_Log += "out "; }
    void DoRender(float x, float y) override { m_Log += "render(" + std::to_string(x) + ") "; }
    void DoChar(uint32_t code) override { m_Log += "char(" + std::to_string(code) + ") "; }
    std::string m_Log;
};

class ControlsTest : public UITest {
protected:
    // A button over pixels 200..600 x 150..450 with a click and a focus counter.
    boost::shared_ptr<SUIButton> Button()
    {
        auto button = Make<SUIButton>();
        Place(*button, 0.25f, 0.25f, 0.5f, 0.5f);
        button->m_ClickEvent = m_Clicks;
        button->m_FocusEvent = m_Focus;
        return button;
    }
    boost::shared_ptr<Counter> m_Clicks{new Counter}, m_Focus{new Counter};
};

} // namespace

TEST_F(ControlsTest, PointerPixelsBecomeFractionsAndEdgesHit)
{
    struct Case {
        int x, y;
        bool hit;
    } cases[] = {{200, 150, true}, {600, 450, true}, {601, 300, false}, {400, 451, false}, {199, 300, false}};
    for (const Case& c : cases) {
        auto button = Button();
        Move(*button, c.x, c.y);
        EXPECT_EQ(c.hit ? SUICS_OVER : SUICS_NORMAL, button->GetState()) << c.x << "," << c.y;
    }
}

TEST_F(ControlsTest, ButtonClicksOnTheFirstPointerOverAfterAPress)
{
    auto button = Button();
    Down(*button, 300, 300);
    EXPECT_EQ(SUICS_PRESSED, button->GetState());
    EXPECT_EQ(0, m_Clicks->m_Count);
    Up(*button, 300, 300);
    EXPECT_EQ(1, m_Clicks->m_Count);
    Up(*button, 300, 300); // the level-triggered up of the next pass
    EXPECT_EQ(1, m_Clicks->m_Count);

    // A small move that stays on the button clicks before the release.
    Down(*button, 300, 300);
    Move(*button, 305, 300);
    EXPECT_EQ(2, m_Clicks->m_Count);

    // Pressed, dragged off and released elsewhere: still pressed, and a later hover clicks.
    Down(*button, 300, 300);
    Move(*button, 700, 300);
    Up(*button, 700, 300);
    EXPECT_TRUE(button->IsPressed());
    EXPECT_EQ(2, m_Clicks->m_Count);
    Move(*button, 300, 300);
    EXPECT_EQ(3, m_Clicks->m_Count);
}

TEST_F(ControlsTest, AThrowingClickOrFocusHandlerIsCalledOnceWhileThePointerRests)
{
    // Button and check box, with the click handler throwing and then the focus handler.
    auto check = [&](auto control, bool focusThrows) {
        boost::shared_ptr<Counter> throwing(new Counter([] { throw std::runtime_error("handler failed"); }));
        Place(*control, 0.25f, 0.25f, 0.5f, 0.5f);
        control->m_ClickEvent = focusThrows ? m_Clicks : throwing;
        control->m_FocusEvent = focusThrows ? throwing : m_Focus;
        Down(*control, 300, 300);
        for (int pass = 0; pass < 5; ++pass) { // the input thread's passes with the pointer at rest
            try {
                Move(*control, 300, 300);
            } catch (...) {
            }
        }
        EXPECT_EQ(1, throwing->m_Count) << focusThrows;
    };
    for (bool focusThrows : {false, true}) {
        check(Make<SUIButton>(), focusThrows);
        check(Make<SUICheckBox>(), focusThrows);
    }
}

TEST_F(ControlsTest, DisabledButtonTakesNoPressAndEnterClicksOnlyWhenAllowed)
{
    auto button = Button();
    button->SetEnabled(false);
    Down(*button, 300, 300);
    EXPECT_FALSE(button->IsPressed());

    auto enter = Button();
    enter->m_EnterActivates = true;
    Key(*enter, 32);
    EXPECT_EQ(0, m_Clicks->m_Count);
    Key(*enter, 13);
    EXPECT_EQ(1, m_Clicks->m_Count);
}

TEST_F(ControlsTest, ButtonDrawsItsSpriteAtItsPlaceAndSkipsEmptySlots)
{
    auto button = Button();
    button->m_NormalSprite = Sprite("normal");
    EXPECT_EQ(1u, DrawsOf([&] { button->DoRender(0.1f, 0.0f); }));
    EXPECT_FLOAT_EQ(0.35f, button->m_NormalSprite->m_Position.X);
    button->SetEnabled(false);
    EXPECT_EQ(0u, DrawsOf([&] { button->DoRender(0, 0); }));
}

TEST_F(ControlsTest, FormHandsInputToItsChildrenRelativeToItself)
{
    boost::shared_ptr<SUIForm> f(new SUIForm("main"));
    f->SetViewport(m_Viewport);
    f->m_X = f->m_Y = 0.5f;
    auto button = Button(), disabled = Button();
    for (auto* b : {&button, &disabled}) Place(**b, 0.0f, 0.0f, 0.1f, 0.1f);
    disabled->SetEnabled(false);
    auto box = Make<SUITextBox>();
    box->Create(0.02f, 0.05f, 1.0f, "font", 16, 16, 0.0f, 0.2f);
    f->AddControl(button);
    f->AddControl(disabled);
    f->AddControl(box);

    // (410, 310) is (10, 10) inside the form: on both buttons.
    Move(*f, 410, 310);
    EXPECT_EQ(SUICS_OVER, button->GetState());
    EXPECT_EQ(SUICS_OVER, disabled->GetState()); // moves reach disabled children
    Move(*f, 10, 10);
    EXPECT_EQ(SUICS_NORMAL, button->GetState());
    Click(*f, 410, 310);
    EXPECT_EQ(1, m_Clicks->m_Count);
    EXPECT_FALSE(disabled->IsPressed());

    // Keys go straight to the enabled children.
    Down(*f, 401, 300 + 125);
    EXPECT_TRUE(box->IsFocused());
    Type(*f, "ok");
    EXPECT_EQ(L"OK", box->GetText());
}

TEST_F(ControlsTest, ApplicationKeepsAStackOfShownForms)
{
    SUIApplication app;
    app.SetViewport(m_Viewport);
    boost::shared_ptr<SUIForm> a(new SUIForm("a")), b(new SUIForm("b"));
    app.AddForm(a);
    app.AddForm(b);
    EXPECT_TRUE(StartsWith(ThrownText([&] { app.AddForm(boost::shared_ptr<SUIForm>(new SUIForm("a"))); }),
                           "form:a already contains in apllication SUIApplication::AddForm()"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { app.ShowForm("nope"); }), "form:nope not found SUIApplication::ShowForm()"));
    EXPECT_EQ(0u, app.StackSize());

    a->SetEnabled(false);
    a->SetHidden(true);
    app.ShowForm("a");
    EXPECT_FALSE(a->IsHidden());
    app.ShowForm("b");
    EXPECT_EQ("b", app.GetCurrentFormName());
    app.CloseForm();
    EXPECT_EQ("a", app.GetCurrentFormName());
    EXPECT_FALSE(b->IsEnabled());
    EXPECT_TRUE(b->IsHidden());
    app.CloseForm(); // the last form: no current form, its flags stay
    EXPECT_EQ("", app.GetCurrentFormName());
    EXPECT_FALSE(a->IsHidden());
    app.CloseForm();
    EXPECT_EQ(0u, app.StackSize());
}

TEST_F(ControlsTest, ApplicationRoutesInputToTheCurrentFormAndDrawsTheStack)
{
    SUIApplication app;
    app.SetViewport(m_Viewport);
    boost::shared_ptr<SUIForm> bottom(new SUIForm("bottom")), top(new SUIForm("top"));
    boost::shared_ptr<Probe> low(new Probe), high(new Probe);
    bottom->AddControl(low);
    top->AddControl(high);
    for (auto* f : {&bottom, &top}) {
        (*f)->SetViewport(m_Viewport);
        app.AddForm(*f);
    }
    for (auto* p : {&low, &high}) (*p)->SetViewport(m_Viewport);
    Move(app, 10, 10); // no form shown: nothing happens
    app.ShowForm("bottom");
    app.ShowForm("top");
    Move(app, 10, 10);
    Down(app, 10, 10);
    Type(app, "k");
    EXPECT_EQ("", low->m_Log);
    EXPECT_EQ("over down char(107) ", high->m_Log);

    // A disabled current form still follows the pointer but takes no clicks or keys.
    high->m_Log.clear();
    top->SetEnabled(false);
    Move(app, 10, 10);
    Down(app, 10, 10);
    Up(app, 10, 10);
    Type(app, "k");
    EXPECT_EQ("over ", high->m_Log);

    high->m_Log.clear();
    app.DoRender(0.0f, 0.0f);
    EXPECT_EQ("render(0.000000) ", low->m_Log);
    EXPECT_EQ("render(0.000000) ", high->m_Log);
}

TEST_F(ControlsTest, FormsShownAndClosedWhileInputArrivesFromAnotherThread)
{
    SUIApplication app;
    app.SetViewport(m_Viewport);
    for (const char* name : {"a", "b"}) {
        boost::shared_ptr<SUIForm> form(new SUIForm(name));
        form->SetViewport(m_Viewport);
        form->m_W = form->m_H = 1.0f;
        form->AddControl(Button());
        app.AddForm(form);
    }
    std::thread input([&] {
        for (int i = 0; i < 2000; ++i) {
            Move(app, i % 800, 300);
            Click(app, 400, 300);
            app.GetCurrentFormName();
        }
    });
    for (int i = 0; i < 2000; ++i) {
        app.ShowForm(i % 2 ? "a" : "b");
        if (i % 3 == 0) app.CloseForm();
    }
    input.join();
    app.CloseAllForms();
    EXPECT_EQ("", app.GetCurrentFormName());
}
