// The UI application as a receiver of the input thread's message manager: clicks injected at the
// platform reach the buttons of the current form, which draw the sprite of their state.

#include "tests/engine/framework/ui/UIFixture.h"

#include "engine/framework/ui/SUIApplication.h"
#include "engine/framework/ui/SUIButton.h"
#include "engine/framework/input/SUIMessageManager.h"
#include "tests/engine/framework/input/InputFakes.h"

#include <boost/make_shared.hpp>

using namespace ui_test;

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

    // One full-window form holding the button, fed by a message manager over a fake input.
    tarn_test::VirtualWindow window(0, 0, kWidth, kHeight);
    auto input = boost::make_shared<inputtest::FakeInput>(window.Handle());
    SUIMessageManager manager(input);
    boost::shared_ptr<SUIApplication> app(new SUIApplication);
    boost::shared_ptr<SUIForm> form(new SUIForm("main"));
    app->SetViewport(m_Viewport);
    form->SetViewport(m_Viewport);
    form->m_W = form->m_H = 1.0f;
    form->AddControl(button);
    app->AddForm(form);
    app->ShowForm("main");
    manager.AddReceiver(app);
    auto moveTo = [&](int x, int y) {
        platform::testing::InjectMouseMove(x, y);
        tarn_test::VirtualWindow::Pump();
        manager.Process();
    };
    auto press = [&](bool down) {
        input->Mouse().Press(down);
        manager.Process();
    };
    auto pixel = [&](int x, int y) { return Frame([&] { app->DoRender(0.0f, 0.0f); }).Pixel(x, y) & 0xFFFFFF; };

    moveTo(10, 10);
    EXPECT_EQ(0xFF0000u, pixel(80, 60));
    EXPECT_EQ(0u, pixel(20, 20));
    moveTo(80, 60);
    EXPECT_EQ(0x00FF00u, pixel(80, 60));
    press(true);
    EXPECT_EQ(0x0000FFu, pixel(80, 60));
    EXPECT_EQ(0, clicks->m_Count);
    press(false);
    EXPECT_EQ(1, clicks->m_Count);
    EXPECT_EQ(0x00FF00u, pixel(80, 60));
    moveTo(150, 110);
    EXPECT_EQ(0xFF0000u, pixel(80, 60));
    EXPECT_EQ(1, clicks->m_Count);

    // Later clicks work as the first did.
    for (int n = 2; n <= 3; ++n) {
        moveTo(80, 60);
        press(true);
        press(false);
        EXPECT_EQ(n, clicks->m_Count);
    }
}
