#include "engine/core/base/TarnCoreDX9Exception.h"
#include "engine/core/input/dx9/SDI9Input.h"
#include "platform/dinput8.h"
#include "platform/testing.h"
#include "platform/testing_input.h"

#include "tests/support/ThrownText.h"
#include "tests/support/VirtualWindow.h"

#include <gtest/gtest.h>

#include <string>

namespace pt = platform::testing;
using tarn_test::StartsWith;

namespace {

class DirectInputTest : public ::testing::Test {
protected:
    void SetUp() override { pt::ResetAll(); }
    void TearDown() override { pt::ResetAll(); }

    void Create(SCore::SDI9Input& input, int mouseMode = 0)
    {
        input.CreateInput(mouseMode, m_Window.Handle(), DISCL_NONEXCLUSIVE | DISCL_BACKGROUND, 0);
    }
    // The text a failing CreateInput throws, or "" when it succeeds.
    std::string CreateFailure()
    {
        SCore::SDI9Input input;
        return tarn_test::ThrownText([&] { Create(input); });
    }

    tarn_test::VirtualWindow m_Window{100, 50, 800, 600};
};

TEST_F(DirectInputTest, EveryMappedFailureThrowsItsText)
{
    struct Case {
        const char* site;
        unsigned call; // 1: the keyboard's call, 2: the mouse's (the keyboard is made first)
        HRESULT code;
        const char* text;
    };
    const char* const kCreate = "DirectInput8Create";
    const char* const kDevice = "IDirectInput8::CreateDevice";
    const char* const kFormat = "IDirectInputDevice8::SetDataFormat";
    const char* const kLevel = "IDirectInputDevice8::SetCooperativeLevel";
    const char* const kProperty = "IDirectInputDevice8::SetProperty";
    const char* const kAcquire = "IDirectInputDevice8::Acquire";
    // Every literal text, every unknown result, and each error name at least once.
    const Case cases[] = {
        {kCreate, 1, DIERR_OLDDIRECTINPUTVERSION, "can't create Direct Input - DIERR_OLDDIRECTINPUTVERSION"},
        {kCreate, 1, DIERR_BETADIRECTINPUTVERSION, "can't create Direct Input- DIERR_BETADIRECTINPUTVERSION"},
        {kCreate, 1, E_FAIL, "can't create Direct Input - UNKNOWN ERROR"},
        {kDevice, 1, DIERR_DEVICENOTREG, "can't create keyboard device: DIERR_DEVICENOTREG"},
        {kDevice, 1, E_FAIL, "can't create keyboard device : UNKNOWN ERROR"},
        {kFormat, 1, DIERR_ACQUIRED, "can't create keyboard device : DIERR_ACQUIRED"},
        {kAcquire, 1, DIERR_INVALIDPARAM, "can't acquire keyboard device : DIERR_INVALIDPARAM:"},
        {kDevice, 2, DIERR_DEVICENOTREG, "can't create mouse device: DIERR_DEVICENOTREG"},
        {kDevice, 2, E_FAIL, "can't create mouse device : UNKNOWN ERROR"},
        {kLevel, 2, DIERR_INVALIDPARAM, "can't create mouse device : DIERR_INVALIDPARAM"},
        {kProperty, 1, DIERR_OBJECTNOTFOUND, "can't create mouse device : DIERR_OBJECTNOTFOUND"},
        {kAcquire, 2, DIERR_NOTINITIALIZED, "can't acquire mouse device : DIERR_NOTINITIALIZED"},
    };
    for (const Case& c : cases) {
        pt::ClearInjections();
        pt::InjectOnNthCall(c.site, c.call, c.code);
        const std::string text = CreateFailure();
        EXPECT_TRUE(StartsWith(text, std::string(c.text) + " ")) << c.site << " #" << c.call << ": " << text;
        EXPECT_NE(text.find(" SDI9Input::CreateInput() Src\\dx9\\SDI9Input at:"), std::string::npos) << text;
        EXPECT_EQ(pt::LiveDirectInputDevices(), 0) << "nothing leaks: " << c.text;
        EXPECT_EQ(pt::LiveDirectInputObjects(), 0) << "nothing leaks: " << c.text;
    }
    pt::ClearInjections();
    EXPECT_EQ(CreateFailure(), "");
    // Results of the setup calls outside their tables are ignored.
    pt::InjectOnce("IDirectInputDevice8::SetCooperativeLevel", E_FAIL);
    pt::InjectOnce("IDirectInputDevice8::SetProperty", E_FAIL);
    EXPECT_EQ(CreateFailure(), "");
}

TEST_F(DirectInputTest, MouseAndKeyboardErrorsWhileReading)
{
    SCore::SDI9Input input;
    Create(input);
    struct Case {
        const char* site;
        HRESULT code;
        const char* text;
        const char* source; // each entry names its source with its folder
    };
    const Case cases[] = {
        {"IDirectInputDevice8::GetDeviceData", DIERR_NOTBUFFERED, "can't get mouse state - DIERR_NOTBUFFERED",
         " Src\\dx9\\SDI9Mouse at:"},
        {"IDirectInputDevice8::GetDeviceState", E_FAIL, "can't get keyboard state", " Src\\dx9\\SDI9Keyboard at:"},
    };
    for (const Case& c : cases) {
        pt::InjectOnce(c.site, c.code);
        const std::string text = tarn_test::ThrownText([&] { input.Update(); });
        EXPECT_TRUE(StartsWith(text, std::string(c.text) + " ")) << text;
        EXPECT_NE(text.find(c.source), std::string::npos) << text;
        EXPECT_NE(text.find(" SDI9Input::Update() Src\\dx9\\SDI9Input at:"), std::string::npos) << text;
    }
}

TEST_F(DirectInputTest, LostDevicesAreReacquiredAtTheNextUpdateAndKeepTheirState)
{
    SCore::SDI9Input input;
    Create(input);
    pt::InjectKeyDown(VK_ESCAPE);
    tarn_test::VirtualWindow::Pump();
    input.Update();
    ASSERT_EQ(input.GetKeyboard()->IsKeyPressed(DIK_ESCAPE), 0x80);

    pt::InjectKeyUp(VK_ESCAPE);
    tarn_test::VirtualWindow::Pump();
    pt::ClearInjections();
    pt::InjectOnce("IDirectInputDevice8::GetDeviceState", DIERR_INPUTLOST);
    // The mouse's read says lost with an entry count of 1: the loop ends there and re-acquires once.
    pt::InjectOnce("IDirectInputDevice8::GetDeviceData", DIERR_INPUTLOST);
    input.Update();
    EXPECT_EQ(input.GetKeyboard()->IsKeyPressed(DIK_ESCAPE), 0x80) << "not read again in this update";
    EXPECT_EQ(pt::CallCount("IDirectInputDevice8::Acquire"), 2u);
    EXPECT_EQ(pt::CallCount("IDirectInputDevice8::GetDeviceData"), 1u);
    input.Update();
    EXPECT_EQ(input.GetKeyboard()->IsKeyPressed(DIK_ESCAPE), 0);
}

TEST_F(DirectInputTest, ForgottenKeysLosePressesTheDeviceHasNotReportedYet)
{
    SCore::SDI9Input input;
    Create(input);
    SCore::SKeyboard& keyboard = *input.GetKeyboard();
    // Delivered to the window but not read yet: a tap of Space and Escape, and Left going down.
    for (BYTE key : {BYTE(VK_SPACE), BYTE(VK_ESCAPE)}) {
        pt::InjectKeyDown(key);
        pt::InjectKeyUp(key);
    }
    pt::InjectKeyDown(VK_LEFT);
    tarn_test::VirtualWindow::Pump();
    keyboard.ForgetPresses({DIK_SPACE, DIK_LEFT});
    input.Update();
    EXPECT_EQ(keyboard.IsKeyPressed(DIK_SPACE), 0);
    EXPECT_EQ(keyboard.IsKeyPressed(DIK_LEFT), 0) << "held across: not yet";
    EXPECT_EQ(keyboard.IsKeyPressed(DIK_ESCAPE), 0x80) << "a key not forgotten keeps its tap";

    pt::InjectKeyUp(VK_LEFT);
    tarn_test::VirtualWindow::Pump();
    input.Update();
    EXPECT_EQ(keyboard.IsKeyPressed(DIK_LEFT), 0);
    pt::InjectKeyDown(VK_LEFT);
    tarn_test::VirtualWindow::Pump();
    input.Update();
    EXPECT_EQ(keyboard.IsKeyPressed(DIK_LEFT), 0x80) << "pressed again";
}

TEST_F(DirectInputTest, WindowedMouseIsTheCursorInClientPixelsAndIgnoresMovements)
{
    pt::SetWindowFrame(m_Window.Handle(), 3, 20); // client pixels: not off by the border or the caption
    SCore::SDI9Input input;
    Create(input);
    boost::shared_ptr<SCore::SMouse> mouse = input.GetMouse();
    mouse->SetLimits(SCore::SMouse::AxisX, 0, 800);
    mouse->SetLimits(SCore::SMouse::AxisY, 0, 600);
    mouse->SetLimits(SCore::SMouse::AxisWheel, -1000, 1000);

    pt::InjectMouseMove(30, 40);
    pt::InjectMouseWheel(2);
    pt::InjectMouseButton(1, true);
    tarn_test::VirtualWindow::Pump();
    input.Update();
    EXPECT_EQ(mouse->GetX(), 30);
    EXPECT_EQ(mouse->GetY(), 40);
    EXPECT_EQ(mouse->GetWheel(), 0) << "axis entries are ignored in mode 0";
    EXPECT_TRUE(mouse->IsPressed(0));
    EXPECT_TRUE(mouse->IsClicked(0));

    pt::InjectMouseMove(-20, -5);
    pt::InjectMouseButton(1, false);
    tarn_test::VirtualWindow::Pump();
    input.Update();
    EXPECT_EQ(mouse->GetX(), -20) << "not clamped: left of the window";
    EXPECT_EQ(mouse->GetY(), -5);
    EXPECT_EQ(mouse->GetPrevious(SCore::SMouse::AxisX), 30);
    EXPECT_FALSE(mouse->IsPressed(0)) << "a release clears both flags";
    EXPECT_FALSE(mouse->IsClicked(0));
}

TEST_F(DirectInputTest, ScreenMouseClampsMovementsThenTakesTheScreenCursor)
{
    SCore::SDI9Input input;
    Create(input, 1);
    boost::shared_ptr<SCore::SMouse> mouse = input.GetMouse();
    mouse->SetLimits(SCore::SMouse::AxisX, 0, 800);
    mouse->SetLimits(SCore::SMouse::AxisY, 0, 600);

    pt::InjectMouseMove(705, 0); // screen x 805: a movement of +805
    pt::InjectMouseWheel(3);
    tarn_test::VirtualWindow::Pump();
    input.Update();
    EXPECT_EQ(mouse->GetPrevious(SCore::SMouse::AxisX), 800) << "clamped at the maximum";
    EXPECT_EQ(mouse->GetX(), 805) << "then replaced by the screen cursor";
    EXPECT_EQ(mouse->GetY(), 50);
    EXPECT_EQ(mouse->GetWheel(), 0) << "wheel limits [0, 0]";

    pt::InjectMouseMove(-150, 0); // screen x -50: a movement of -855
    tarn_test::VirtualWindow::Pump();
    input.Update();
    EXPECT_EQ(mouse->GetPrevious(SCore::SMouse::AxisX), 0) << "clamped at the minimum";
    EXPECT_EQ(mouse->GetX(), -50);

    // A sum beyond 32 bits clamps instead of wrapping.
    mouse->SetLimits(SCore::SMouse::AxisWheel, -1000, 1000);
    mouse->SetSensitivity(1 << 30);
    pt::InjectMouseWheel(3);
    tarn_test::VirtualWindow::Pump();
    input.Update();
    EXPECT_EQ(mouse->GetWheel(), 1000);
}

TEST_F(DirectInputTest, EveryButtonChangeIsSeenForAtLeastOneUpdate)
{
    struct Case {
        const char* between; // left button changes pumped before the first update: 'D' down, 'U' up
        const char* seen;    // the pressed and clicked flags after each update from then on
    };
    const Case cases[] = {
        {"DU", "10"}, {"DUDU", "1010"}, {"DDU", "10"}, {"D", "11"}, {"DUD", "101"},
    };
    for (const Case& c : cases) {
        SCore::SDI9Input input;
        Create(input, 1);
        boost::shared_ptr<SCore::SMouse> mouse = input.GetMouse();
        mouse->SetLimits(SCore::SMouse::AxisWheel, -1000, 1000);
        for (const char* b = c.between; *b; ++b) pt::InjectMouseButton(1, *b == 'D');
        pt::InjectMouseWheel(1);
        tarn_test::VirtualWindow::Pump();
        std::string seen;
        for (size_t update = 0; update < std::string(c.seen).size(); ++update) {
            input.Update();
            EXPECT_EQ(mouse->IsPressed(0), mouse->IsClicked(0)) << c.between;
            seen += mouse->IsPressed(0) ? '1' : '0';
            if (update == 0) {
                EXPECT_EQ(mouse->GetWheel(), 120) << "movements are not held back: " << c.between;
            }
        }
        EXPECT_EQ(seen, c.seen) << c.between;
    }
}

TEST_F(DirectInputTest, ABurstOfClicksEndsReleasedWithinAFewUpdates)
{
    SCore::SDI9Input input;
    Create(input);
    boost::shared_ptr<SCore::SMouse> mouse = input.GetMouse();
    for (int i = 0; i < 20; ++i) {
        pt::InjectMouseButton(1, true);
        pt::InjectMouseButton(1, false);
    }
    tarn_test::VirtualWindow::Pump();
    int pressedUpdates = 0;
    for (int update = 0; update < 10; ++update) {
        input.Update();
        pressedUpdates += mouse->IsPressed(0) ? 1 : 0;
    }
    EXPECT_FALSE(mouse->IsPressed(0));
    EXPECT_GE(pressedUpdates, 4) << "the first clicks are each seen";
}

} // namespace
