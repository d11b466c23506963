#include "WindowFixture.h"

#include "platform/dinput8.h"
#include "platform/testing_input.h"

#include <string>
#include <utility>

namespace pt = platform::testing;
using windowtest::WindowFixture;

namespace {

class KeyboardMessagesTest : public WindowFixture {};

TEST_F(KeyboardMessagesTest, KeyMessagesCarryVirtualKeyScanCodeRepeatAndTransition)
{
    pt::InjectKeyDown('A');
    pt::InjectKeyDown('A'); // auto-repeat
    pt::InjectKeyUp('A');
    pt::InjectKeyDown(VK_UP);
    std::vector<MSG> got = Pump();
    ASSERT_EQ(Messages(got), (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN, WM_KEYUP, WM_KEYDOWN}));
    EXPECT_EQ(got[0].wParam, WPARAM('A'));
    EXPECT_EQ(DWORD(got[0].lParam), 0x001E0001u);
    EXPECT_EQ(DWORD(got[1].lParam), 0x401E0001u);
    EXPECT_EQ(DWORD(got[2].lParam), 0xC01E0001u);
    EXPECT_EQ(DWORD(got[3].lParam), 0x01480001u) << "extended key flag for the arrow";
    EXPECT_EQ(got[0].hwnd, m_Window);
}

TEST_F(KeyboardMessagesTest, AltChordsAndF10AreSystemKeys)
{
    pt::InjectKeyDown(VK_MENU);
    pt::InjectKeyDown('X');
    pt::InjectKeyUp('X');
    pt::InjectKeyUp(VK_MENU);
    pt::InjectKeyDown(VK_F10);
    pt::InjectKeyDown(VK_RSHIFT);
    std::vector<MSG> got = Pump();
    ASSERT_EQ(Messages(got), (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSKEYUP,
                                                WM_SYSKEYDOWN, WM_KEYDOWN}));
    EXPECT_EQ(got[0].wParam, WPARAM(VK_MENU));
    EXPECT_EQ(got[5].wParam, WPARAM(VK_SHIFT)) << "either Shift reports the generic code";
}

TEST_F(KeyboardMessagesTest, KeyboardStateChangesWhenTheKeyMessageIsRemoved)
{
    pt::InjectKeyDown(VK_SHIFT);
    pt::InjectKeyDown(VK_CAPITAL);
    pt::InjectKeyUp(VK_CAPITAL);
    BYTE state[256];
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    GetKeyboardState(state);
    EXPECT_EQ(state[VK_SHIFT], 0) << "peeked, not removed";
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    GetKeyboardState(state);
    EXPECT_EQ(state[VK_SHIFT], 0x80);
    EXPECT_EQ(state[VK_LSHIFT], 0x80);
    Pump();
    GetKeyboardState(state);
    EXPECT_EQ(state[VK_CAPITAL], 0x01) << "toggled, up";
}

TEST_F(KeyboardMessagesTest, ToAsciiFollowsTheUsLayout)
{
    struct Case {
        UINT vk;
        bool shift, ctrl, caps;
        int expected; // 0: no character
    };
    const Case cases[] = {
        {'A', false, false, false, 'a'}, {'A', true, false, false, 'A'}, {'A', false, false, true, 'A'},
        {'A', true, false, true, 'a'},   {'C', false, true, false, 3},   {'1', true, false, false, '!'},
        {VK_OEM_7, true, false, false, '"'}, {VK_RETURN, false, false, false, 13},
        {VK_BACK, false, true, false, 0x7F}, {VK_NUMPAD0 + 7, false, false, false, '7'},
        {VK_LEFT, false, false, false, 0}, {'1', false, true, false, 0},
        // The keypad's first and last digits and the keys beside them.
        {VK_NUMPAD0, false, false, false, '0'}, {VK_NUMPAD0 + 9, true, false, false, '9'},
        {VK_NUMPAD0 - 1, false, false, false, 0}, {VK_MULTIPLY, false, false, false, '*'},
    };
    for (const Case& c : cases) {
        BYTE state[256] = {};
        if (c.shift) state[VK_SHIFT] = 0x80;
        if (c.ctrl) state[VK_CONTROL] = 0x80;
        if (c.caps) state[VK_CAPITAL] = 0x01;
        WORD out[2] = {0xFFFF, 0xFFFF};
        const int n = ToAscii(c.vk, 0, state, out, 0);
        SCOPED_TRACE(testing::Message() << "vk " << c.vk << " shift " << c.shift << " ctrl " << c.ctrl);
        if (c.expected) {
            EXPECT_EQ(n, 1);
            EXPECT_EQ(out[0] & 0xFF, c.expected);
        } else {
            EXPECT_EQ(n, 0);
        }
    }
}

TEST_F(KeyboardMessagesTest, DirectInputKeyboardSeesWhatThePumpStoredATapOnceAndAHeldKeyWhileHeld)
{
    IDirectInput8* di = nullptr;
    ASSERT_EQ(DirectInput8Create(GetModuleHandleA(nullptr), 0x0800, IID_IDirectInput8A,
                                 reinterpret_cast<void**>(&di), nullptr), DI_OK);
    IDirectInputDevice8* keyboard = nullptr;
    ASSERT_EQ(di->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr), DI_OK);
    BYTE keys[256];
    EXPECT_EQ(keyboard->GetDeviceState(256, keys), DIERR_INVALIDPARAM) << "no data format yet";
    ASSERT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    ASSERT_EQ(keyboard->SetCooperativeLevel(m_Window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    EXPECT_EQ(keyboard->GetDeviceState(256, keys), DIERR_NOTACQUIRED);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), S_FALSE);
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DIERR_ACQUIRED);

    // Each step: Escape down and/or up, optionally the pump, then a read ('1' down, '0' up).
    auto reads = [&](std::initializer_list<std::pair<bool, bool>> steps, bool pump = true) {
        std::string out;
        for (const auto& step : steps) {
            if (step.first) pt::InjectKeyDown(VK_ESCAPE);
            if (step.second) pt::InjectKeyUp(VK_ESCAPE);
            if (pump) Pump();
            EXPECT_EQ(keyboard->GetDeviceState(256, keys), DI_OK);
            out += keys[DIK_ESCAPE] == 0x80 ? '1' : keys[DIK_ESCAPE] == 0 ? '0' : '?';
        }
        return out;
    };
    EXPECT_EQ(reads({{true, false}}, false), "0") << "nothing until the pump ran";
    EXPECT_EQ(reads({{false, false}, {false, true}}), "10");
    EXPECT_EQ(reads({{true, true}, {false, false}}), "10") << "a tap";
    EXPECT_EQ(reads({{true, false}, {false, false}, {false, true}, {false, false}}), "1100") << "held, released";

    EXPECT_EQ(pt::LiveDirectInputDevices(), 1);
    di->Release();
    EXPECT_EQ(pt::LiveDirectInputObjects(), 1) << "the device keeps DirectInput alive";
    keyboard->Release();
    EXPECT_EQ(pt::LiveDirectInputObjects(), 0);
    EXPECT_EQ(pt::LiveDirectInputDevices(), 0);
}

} // namespace
