#pragma once
// The game started on the shipped content, in process and headless, for driving the screens and
// their modes by hand: frames, button handlers and pointer events sent straight to the controls.
// Unlike the application fixture's, these frames read no window input (the tests set the
// left-button flag themselves) and sleeps return at once, leaving the clock to the tests.

#include "engine/framework/ui/SUIInputEvents.h"
#include "engine/framework/ui/SUIControl.h"
#include "game/app/screens/RGMap.h"
#include "game/app/screens/RGMenu.h"
#include "game/app/screens/RGScoreCount.h"
#include "game/gameplay/levels/RGLevelPack.h"

#include "tests/game/app/application/GameFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace screenstest {

namespace pt = platform::testing;

class ScreensTest : public apptest::GameTest {
protected:
    void SetUp() override
    {
        apptest::GameTest::SetUp();
        pt::SetSleepMode(pt::SleepMode::Return);
        pt::HookShell(true);
        Runegarden::StartPythonInterpreter(std::string(TARN_DATA_DIR) + "/scripts");
        Runegarden::RGConfiguration configuration;
        SCore::SXMLDeserializator reader(std::wstring(L"config.xml"));
        configuration.Read(reader);
        m_Thresholds = configuration.BonusLifeScores;
    }
    void TearDown() override
    {
        Stop();
        apptest::GameTest::TearDown();
    }

    // A music fade runs on the clock: let it end, or the music thread's join waits for it.
    void Stop()
    {
        pt::AdvanceFakeTime(5000);
        m_Game.reset();
    }
    void Start(bool fullScreen = false)
    {
        Stop();
        m_Game.reset(new apptest::TestGame(fullScreen));
        HeadlessAppTest::Start(*m_Game, "Runegarden test", 1024, 768, fullScreen, L"Res\\textures.xml");
        m_Game->GetScoreCount()->SetThresholds(m_Thresholds);
        // The tests hand pointer events to the controls themselves; the input thread's own
        // pointer pass (from where the window's pointer is) would move the hover under them.
        m_Game->GetInputMessager()->Stop();
        while (m_Game->GetInputMessager()->IsRunning()) std::this_thread::yield();
    }
    // One frame of the run loop after ms of the clock.
    void Frame(DWORD ms = 0)
    {
        pt::AdvanceFakeTime(ms);
        m_Game->DoUpdate();
        m_Game->DoDraw();
    }
    Runegarden::RGGameModeType Mode() { return Modes().m_CurrentMode; }
    // Frames until the requested mode is current and clear.
    void Settle()
    {
        Frame(500);
        Frame(500);
    }
    void EnterMode(Runegarden::RGGameModeType mode)
    {
        Modes().ChangeMode(mode);
        Settle();
    }
    // A first profile made through the NewUser form.
    void MakeProfile(const std::wstring& name)
    {
        Runegarden::RGMenu& menu = *m_Game->GetMenu();
        menu.ShowNewUserForm();
        menu.m_NewUserName = name;
        menu.OnNewUserOk();
    }
    boost::shared_ptr<Runegarden::RGUserProfile> Profile() { return Runegarden::gProfileManager->GetCurrent(); }
    Runegarden::RGLevelPack& MainPack() { return *Runegarden::RGLevelPacks::Main(); }
    // A click at a point of the screen, given in fractions, on a receiver of the input thread.
    static void Click(TarnEngine::UI::SUIControl& receiver, float x, float y)
    {
        const int32_t px = int32_t(x * 1024.0f), py = int32_t(y * 768.0f);
        receiver.DoMouseMoveEvent(TarnEngine::UI::SUIInputMouseMoveEvent(px, py));
        receiver.DoMouseDownEvent(TarnEngine::UI::SUIInputMouseDownEvent(px, py));
        receiver.DoMouseUpEvent(TarnEngine::UI::SUIInputMouseUpEvent(px, py));
    }
    static void PointAt(TarnEngine::UI::SUIControl& receiver, float x, float y)
    {
        receiver.DoMouseMoveEvent(TarnEngine::UI::SUIInputMouseMoveEvent(int32_t(x * 1024.0f), int32_t(y * 768.0f)));
    }

    std::vector<unsigned int> m_Thresholds;
};

} // namespace screenstest
