// The UI application as a receiver of the input thread's message manager: clicks injected at the
// platform reach the buttons of the current form.

#include "tests/engine/framework/ui/UIFixture.h"

#include "engine/framework/SUIApplication.h"
#include "engine/framework/SUIButton.h"
#include "engine/framework/SUIMessageManager.h"
#include "tests/engine/framework/drawables/PixelsFixture.h"
#include "tests/engine/framework/input/InputFakes.h"
#include "tests/support/LogCapture.h"

#include <boost/make_shared.hpp>

#include <stdexcept>

using namespace ui_test;
using inputtest::FakeInput;

namespace {

// An application showing one full-window form that holds the given buttons, fed by a message
// manager over a fake input and a virtual window of the viewport's size.
class InjectedInput {
public:
    InjectedInput(const boost::shared_ptr<SCore::SViewport>& viewport, int width, int height,
                  const std::vector<boost::shared_ptr<SUIButton>>& buttons)
        : m_Window(0, 0, width, height), m_Input(boost::make_shared<FakeInput>(m_Window.Handle())),
          m_Manager(m_Input), m_App(new SUIApplication), m_Form(new SUIForm("main"))
    {
        m_App->SetViewport(viewport);
        m_Form->SetViewport(viewport);
        m_Form->m_W = m_Form->m_H = 1.0f;
        for (const auto& button : buttons) m_Form->AddControl(button);
        m_App->AddForm(m_Form);
        m_App->ShowForm("main");
        m_Manager.AddReceiver(m_App);
    }
    void MoveTo(int x, int y)
    {
        platform::testing::InjectMouseMove(x, y);
        tarn_test::VirtualWindow::Pump();
        m_Manager.Process();
    }
    void Press(bool down)
    {
        m_Input->Mouse().Press(down);
        m_Manager.Process();
    }
    SUIApplication& App() { return *m_App; }

private:
    tarn_test::VirtualWindow m_Window;
    boost::shared_ptr<FakeInput> m_Input;
    SUIMessageManager m_Manager;
    boost::shared_ptr<SUIApplication> m_App;
    boost::shared_ptr<SUIForm> m_Form;
};

using InputRoutingTest = UITest;

} // namespace

TEST_F(InputRoutingTest, AThrowingClickHandlerLeavesTheOtherButtonsWorking)
{
    tarn_test::LogCapture log;
    auto failing = Make<SUIButton>();
    failing->m_W = failing->m_H = 0.25f;
    failing->m_ClickEvent.reset(new Counter([] { throw SCore::TarnCoreException("handler failed"); }));
    auto working = Make<SUIButton>();
    working->m_X = 0.5f;
    working->m_W = working->m_H = 0.25f;
    boost::shared_ptr<Counter> clicks(new Counter);
    working->m_ClickEvent = clicks;
    InjectedInput input(m_Viewport, 800, 600, {failing, working});

    input.MoveTo(100, 100);
    input.Press(true);
    input.Press(false);
    EXPECT_NE(std::string::npos, log.Text().find("exception in SInputMessager:handler failed")) << log.Text();
    input.MoveTo(500, 100);
    input.Press(true);
    input.Press(false);
    EXPECT_EQ(1, clicks->m_Count);
}

namespace {

class UIPixelsTest : public drawables_test::PixelsTest {
protected:
    boost::shared_ptr<SSprite> Solid(uint32_t colour)
    {
        boost::shared_ptr<SSprite> sprite(new SSprite("button", false));
        sprite->Create(m_Viewport);
        sprite->m_CoordAligment = SCA_LEFT_TOP;
        sprite->m_ColorLU = sprite->m_ColorRU = sprite->m_ColorLD = sprite->m_ColorRD = colour;
        sprite->m_Material.m_ZWrite = 0;
        return sprite;
    }
};

} // namespace

TEST_F(UIPixelsTest, PixelsFormButtonChangesSpriteUnderThePointerAndCallsBackOnAnInjectedClick)
{
    boost::shared_ptr<SUIButton> button(new SUIButton);
    button->SetViewport(m_Viewport);
    button->m_X = button->m_Y = 0.25f; // pixels 40..120 x 30..90
    button->m_W = button->m_H = 0.5f;
    button->m_NormalSprite = Solid(0xFFFF0000);
    button->m_OverSprite = Solid(0xFF00FF00);
    button->m_PressedSprite = Solid(0xFF0000FF);
    boost::shared_ptr<Counter> clicks(new Counter);
    button->m_ClickEvent = clicks;
    InjectedInput input(m_Viewport, kWidth, kHeight, {button});
    auto centre = [&] { return Frame([&] { input.App().DoRender(0.0f, 0.0f); }).Pixel(80, 60); };
    auto corner = [&] { return Frame([&] { input.App().DoRender(0.0f, 0.0f); }).Pixel(20, 20); };

    input.MoveTo(10, 10);
    EXPECT_EQ(0xFF0000u, centre() & 0xFFFFFF);
    EXPECT_EQ(0u, corner() & 0xFFFFFF);
    input.MoveTo(80, 60);
    EXPECT_EQ(0x00FF00u, centre() & 0xFFFFFF);
    input.Press(true);
    EXPECT_EQ(0x0000FFu, centre() & 0xFFFFFF);
    EXPECT_EQ(0, clicks->m_Count);
    input.Press(false);
    EXPECT_EQ(1, clicks->m_Count);
    EXPECT_EQ(0x00FF00u, centre() & 0xFFFFFF);
    input.MoveTo(150, 110);
    EXPECT_EQ(0xFF0000u, centre() & 0xFFFFFF);
    EXPECT_EQ(1, clicks->m_Count);
}
