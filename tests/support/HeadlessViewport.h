#pragma once
// A Direct3D 9 viewport with a texture manager over a headless render window, sleeps returning at
// once; its device is made when a test asks, and from then on the device's calls are recorded.

#include "engine/core/render/STextureManager.h"
#include "engine/core/render/dx9/SD3D9RenderDevice.h"
#include "engine/core/render/dx9/SD3D9Viewport.h"
#include "platform/testing.h"
#include "platform/testing_render.h"

#include <gtest/gtest.h>

namespace tarn_test {

class HeadlessViewportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::ResetAll();
        platform::testing::SetRenderMode(platform::testing::RenderMode::Headless);
        platform::testing::SetSleepMode(platform::testing::SleepMode::Return);
    }
    void TearDown() override
    {
        m_Viewport.reset();
        if (m_Window) platform::testing::DestroyRenderTestWindow(m_Window);
        platform::testing::ResetAll();
    }
    void Open(int width, int height)
    {
        m_Window = platform::testing::CreateRenderTestWindow(width, height);
        ASSERT_NE(nullptr, m_Window);
        m_Viewport.reset(new SCore::SD3D9Viewport);
        m_Viewport->m_TextureManager.reset(new SCore::STextureManager);
    }
    void CreateDevice(int width, int height)
    {
        Device().Create(m_Window, width, height, 0, false);
        platform::testing::RecordRenderCalls(true);
    }
    SCore::SD3D9RenderDevice& Device() { return static_cast<SCore::SD3D9RenderDevice&>(*m_Viewport->m_RenderDevice); }

    HWND m_Window = nullptr;
    boost::shared_ptr<SCore::SD3D9Viewport> m_Viewport;
};

} // namespace tarn_test
