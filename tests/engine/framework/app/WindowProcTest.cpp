#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/app/SApplication.h"
#include "engine/framework/app/SWindow.h"
#include "engine/framework/app/WindowProc.h"
#include "platform/testing.h"
#include "platform/testing_input.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pt = platform::testing;

namespace {

typedef std::vector<std::string> Calls;

// Writes down the application calls the window procedure makes.
class KeyApp : public TarnEngine::SApplication {
public:
    void DoLeftButtonDown() override {}
    void DoRightButtonDown() override {}
    void DoLeftButtonUp() override {}
    void DoRightButtonUp() override {}
    LRESULT DoWindowMessage(UINT, WPARAM, LPARAM) override { return 0; }
    void DoInit(const std::string&) override {}
    void DoRun() override {}
    void DoKeyDown(uint8_t vk) override { m_Calls.push_back("down " + std::to_string(vk)); }
    void DoKeyUp(uint8_t vk) override { m_Calls.push_back("up " + std::to_string(vk)); }
    void DoChar(uint8_t c) override { m_Calls.push_back("char " + std::to_string(c)); }
    void DoActivate() override { m_Calls.push_back("activate"); }
    void DoDeactivate() override { m_Calls.push_back("deactivate"); }

    std::vector<std::string> m_Calls;
};

class WindowProcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pt::ResetAll();
        pt::SetWindowMode(pt::WindowMode::Virtual);
        m_Window.reset(new SCore::SWindow(boost::shared_ptr<void>(), "proc test"));
        m_Window->Create(400, 300, WS_POPUP);
        m_Handle = m_Window->GetHandle();
        TarnEngine::SetApplication(&m_App);
    }
    void TearDown() override
    {
        TarnEngine::ClearApplication(&m_App);
        m_Window.reset();
        pt::ResetAll();
    }
    void Pump()
    {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE) && m.message != WM_QUIT) DispatchMessageA(&m);
    }
    void Type(std::initializer_list<std::pair<BYTE, bool>> keys)
    {
        for (const auto& k : keys) k.second ? pt::InjectKeyDown(k.first, m_Handle) : pt::InjectKeyUp(k.first, m_Handle);
        Pump();
    }

    KeyApp m_App;
    std::unique_ptr<SCore::SWindow> m_Window;
    HWND m_Handle = nullptr;
};

TEST_F(WindowProcTest, CharactersComeAtKeyUpAsTheKeyWentDown)
{
    pt::MapKeyToCharacter(VK_OEM_3, 0xE9);
    const struct {
        const char* what;
        std::initializer_list<std::pair<BYTE, bool>> keys;
        Calls calls;
    } cases[] = {
        {"a letter", {{'B', true}, {'B', false}}, {"down 66", "up 66", "char 98"}},
        {"Shift pressed before the key came up: the key-down's 'a'",
         {{'A', true}, {VK_SHIFT, true}, {'A', false}, {VK_SHIFT, false}},
         {"down 65", "down 16", "up 65", "char 97", "up 16"}},
        {"Shift released before the key came up, as X types a capital: 'A'",
         {{VK_SHIFT, true}, {'A', true}, {VK_SHIFT, false}, {'A', false}},
         {"down 16", "down 65", "up 16", "up 65", "char 65"}},
        {"Shift held throughout: 'A'",
         {{VK_SHIFT, true}, {'A', true}, {'A', false}, {VK_SHIFT, false}},
         {"down 16", "down 65", "up 65", "char 65", "up 16"}},
        {"auto-repeat: one key-down each, one character at release",
         {{'C', true}, {'C', true}, {'C', false}}, {"down 67", "down 67", "up 67", "char 99"}},
        {"no character", {{VK_LEFT, true}, {VK_LEFT, false}}, {"down 37", "up 37"}},
        {"codes above 127 are unsigned", {{VK_OEM_3, true}, {VK_OEM_3, false}}, {"down 192", "up 192", "char 233"}},
    };
    for (const auto& c : cases) {
        m_App.m_Calls.clear();
        Type(c.keys);
        EXPECT_EQ(m_App.m_Calls, c.calls) << c.what;
    }
}

TEST_F(WindowProcTest, FocusMessagesActivateAndLosingFocusReleasesTheButtons)
{
    pt::InjectMouseMove(10, 10, m_Handle);
    pt::InjectMouseButton(1, true, m_Handle);
    pt::InjectMouseButton(3, true, m_Handle);
    Pump();
    EXPECT_TRUE(TarnEngine::IsLeftButtonDown());
    EXPECT_TRUE(TarnEngine::IsRightButtonDown());
    pt::InjectFocus(false, m_Handle);
    pt::InjectFocus(true, m_Handle);
    Pump();
    EXPECT_FALSE(TarnEngine::IsLeftButtonDown());
    EXPECT_FALSE(TarnEngine::IsRightButtonDown());
    EXPECT_EQ(m_App.m_Calls, (Calls{"deactivate", "activate"}));
}

TEST_F(WindowProcTest, ProcedureResultsAndCursor)
{
    pt::RecordWindowCalls(true);
    ShowCursor(TRUE);
    EXPECT_EQ(TarnEngine::WindowProc(m_Handle, WM_SETCURSOR, WPARAM(m_Handle), MAKELPARAM(2, WM_MOUSEMOVE)), 0)
        << "over the frame: default handling";
    EXPECT_EQ(TarnEngine::WindowProc(m_Handle, WM_SETCURSOR, WPARAM(m_Handle), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
    EXPECT_FALSE(pt::PointerVisible()) << "the class has no cursor";

    TarnEngine::ClearApplication(&m_App);
    TarnEngine::WindowProc(m_Handle, WM_KEYDOWN, 'X', 0);
    EXPECT_EQ(m_App.m_Calls, Calls{}) << "nothing reaches the application before it is set";
}

TEST_F(WindowProcTest, WindowCreationFailuresThrowTheirTexts)
{
    for (const auto& c : {std::make_pair("RegisterClassExA", "can't register window class SWindow::Create() Src\\SWindow at:"),
                          std::make_pair("CreateWindowExA", "can't create window SWindow::Create() Src\\SWindow at:")}) {
        pt::InjectOnce(c.first, E_FAIL);
        SCore::SWindow window(boost::shared_ptr<void>(), "failing");
        EXPECT_TRUE(tarn_test::ThrowsStartingWith([&] { window.Create(10, 10, WS_POPUP); }, c.second));
    }
    SCore::SWindow again(boost::shared_ptr<void>(), "failing");
    EXPECT_NO_THROW(again.Create(10, 10, WS_POPUP)) << "the failed window left no class behind";
}

} // namespace
