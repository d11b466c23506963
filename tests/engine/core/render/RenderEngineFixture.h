#pragma once
// An SD3D9Viewport whose device is created on a headless window, with the sleep hook returning
// at once and the device's calls recorded.

#include "engine/core/render/dx9/SD3D9RenderDevice.h"
#include "engine/core/render/dx9/SD3D9Viewport.h"
#include "platform/testing.h"
#include "platform/testing_render.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>

using tarn_test::StartsWith;
using tarn_test::ThrownText;

class RenderEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::ResetAll();
        platform::testing::SetRenderMode(platform::testing::RenderMode::Headless);
        platform::testing::SetSleepMode(platform::testing::SleepMode::Return);
        m_Window = platform::testing::CreateRenderTestWindow(320, 240);
        m_Viewport.reset(new SCore::SD3D9Viewport);
    }
    void TearDown() override
    {
        m_Viewport.reset();
        platform::testing::DestroyRenderTestWindow(m_Window);
        platform::testing::ResetAll();
    }
    SCore::SD3D9RenderDevice& Device() { return static_cast<SCore::SD3D9RenderDevice&>(*m_Viewport->m_RenderDevice); }
    void CreateDevice()
    {
        Device().Create(m_Window, 800, 600, 0, false);
        platform::testing::RecordRenderCalls(true);
    }
    HWND m_Window = nullptr;
    boost::shared_ptr<SCore::SD3D9Viewport> m_Viewport;
};
