#pragma once
// A headless Direct3D 9 viewport with a texture manager holding a "BLACK" texture, for the game
// application's tests that draw or make sprites.

#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/dx9/SD3D9Viewport.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"
#include "platform/testing_input.h"
#include "platform/testing_render.h"

#include <gtest/gtest.h>

namespace apptest {

namespace pt = platform::testing;

class AppViewportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pt::ResetAll();
        pt::SetRenderMode(pt::RenderMode::Headless);
        pt::SetSleepMode(pt::SleepMode::Return);
        pt::SetFakeTime(100000);
        m_Window = pt::CreateRenderTestWindow(1024, 768);
        ASSERT_NE(nullptr, m_Window);
        m_Viewport.reset(new SCore::SD3D9Viewport);
        m_Viewport->m_TextureManager.reset(new SCore::STextureManager);
        m_Viewport->m_RenderDevice->Create(m_Window, 1024, 768, 0, false);
    }
    void TearDown() override
    {
        m_Viewport.reset();
        if (m_Window) pt::DestroyRenderTestWindow(m_Window);
        pt::ResetAll();
    }

    // A texture of that size and Direct3D format (21: A8R8G8B8) in the manager.
    boost::shared_ptr<SCore::STexture> AddTexture(const std::string& name, uint32_t width, uint32_t height,
                                                  uint32_t format = 21)
    {
        boost::shared_ptr<SCore::STexture> texture = m_Viewport->CreateTexture(name);
        texture->SetRenderDevice(m_Viewport->m_RenderDevice);
        texture->DoCreateEx(width, height, 1, format);
        m_Viewport->m_TextureManager->AddTexture(texture);
        return texture;
    }

    HWND m_Window = nullptr;
    boost::shared_ptr<SCore::SViewport> m_Viewport;
};

} // namespace apptest
