#pragma once
// An application frame started in process: virtual windows, the headless device and hooked
// message boxes. Start runs the frame's own threaded start-up (loader, loading screen, input
// thread); Frame is one pass of the run loop by hand.

#include "engine/framework/app/TarnApplication.h"
#include "engine/framework/app/WindowProc.h"
#include "engine/framework/input/SUIMutex.h"
#include "engine/core/input/SInput.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/SViewport.h"
#include "platform/testing.h"
#include "platform/testing_input.h"
#include "platform/testing_render.h"

#include <gtest/gtest.h>

#include <string>

namespace tarn_test {

class HeadlessAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        namespace pt = platform::testing;
        pt::ResetAll();
        pt::SetRenderMode(pt::RenderMode::Headless);
        pt::SetWindowMode(pt::WindowMode::Virtual);
        pt::HookMessageBox(true);
    }
    void TearDown() override
    {
        // The frame's own pause at exit is not waited for.
        platform::testing::SetSleepMode(platform::testing::SleepMode::Return);
        EndApp();
        platform::testing::ResetAll();
    }
    // Destroys the application under test before the platform is reset.
    virtual void EndApp() = 0;

    // device: the test's own, in place of the viewport's.
    static void Start(TarnEngine::TarnApplication& app, const char* title, int width, int height, bool fullScreen,
                      const std::wstring& textures, const boost::shared_ptr<SCore::SRenderDevice>& device = nullptr)
    {
        app.DoInit("D3D9Render");
        if (device) app.GetViewport()->m_RenderDevice = device;
        app.Create(title, width, height, 32, fullScreen, textures);
    }
    // The window's queued input delivered, then one update and draw after ms of the fake clock.
    static void Frame(TarnEngine::TarnApplication& app, DWORD ms)
    {
        platform::testing::AdvanceFakeTime(ms);
        MSG msg;
        for (int i = 0; i < 64 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        {
            // As the input thread's pass does: a device read of its own that ended before this
            // one would otherwise land after it and bring back a key already released.
            CriticalSectionLock ui(TarnEngine::UI::SUIMutex::Section());
            app.GetViewport()->m_Input->Update();
        }
        TarnEngine::IsLeftButtonDown() ? app.DoLeftButtonDown() : app.DoLeftButtonUp();
        app.DoUpdate();
        app.DoDraw();
    }
};

} // namespace tarn_test
