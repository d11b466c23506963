#pragma once
// A Direct3D 9 viewport drawing through OpenGL into a 160 x 120 window, with the presented frame
// read back. Needs a display (Xvfb in CI); the tests skip without one.

#include "engine/core/SRenderDevice.h"
#include "engine/core/STextureManager.h"
#include "engine/core/dx9/SD3D9Viewport.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/testing.h"

#include <gtest/gtest.h>

#include <functional>

namespace drawables_test {

class PixelsTest : public ::testing::Test {
protected:
    static const int kWidth = 160, kHeight = 120;

    void SetUp() override
    {
        platform::testing::ResetAll();
        if (!platform::sdl::VideoAvailable()) GTEST_SKIP() << "no display";
        platform::testing::SetRenderMode(platform::testing::RenderMode::OpenGL);
        platform::testing::SetSleepMode(platform::testing::SleepMode::Return);
        m_Window = platform::testing::CreateRenderTestWindow(kWidth, kHeight);
        ASSERT_NE(nullptr, m_Window);
        m_Viewport.reset(new SCore::SD3D9Viewport);
        m_Viewport->m_TextureManager.reset(new SCore::STextureManager);
        m_Viewport->m_RenderDevice->Create(m_Window, kWidth, kHeight, 0, false);
        platform::testing::CaptureOnPresent(true);
    }
    void TearDown() override
    {
        m_Viewport.reset();
        if (m_Window) platform::testing::DestroyRenderTestWindow(m_Window);
        platform::testing::ResetAll();
    }
    // One frame on black, drawn by draw, as presented.
    platform::testing::Image Frame(const std::function<void()>& draw)
    {
        SCore::SRenderDevice& device = *m_Viewport->m_RenderDevice;
        device.DoClearScene(0, 0, 0);
        device.DoClearScene(1.0f);
        device.DoBeginScene();
        draw();
        device.EndScene();
        return platform::testing::LastPresented();
    }
    static int Red(uint32_t c) { return int((c >> 16) & 0xFF); }
    static int Green(uint32_t c) { return int((c >> 8) & 0xFF); }
    static int Blue(uint32_t c) { return int(c & 0xFF); }

    HWND m_Window = nullptr;
    boost::shared_ptr<SCore::SViewport> m_Viewport;
};

} // namespace drawables_test
