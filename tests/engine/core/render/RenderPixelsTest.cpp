// Drawing through the engine's device on the OpenGL backend; needs a display (skips without).

#include "engine/core/SMaterial.h"
#include "engine/core/STexture.h"
#include "engine/core/STextureAnimatorFrame.h"
#include "engine/core/STextureLock.h"
#include "engine/core/SVertexBuffer.h"
#include "engine/core/TResourceLock.h"
#include "engine/core/dx9/SD3D9RenderDevice.h"
#include "engine/core/dx9/SD3D9Viewport.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/testing.h"

#include <gtest/gtest.h>

namespace {

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};

} // namespace

class RenderPixelsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::ResetAll();
        if (!platform::sdl::VideoAvailable()) GTEST_SKIP() << "no display";
        platform::testing::SetRenderMode(platform::testing::RenderMode::OpenGL);
        platform::testing::SetFakeTime(5000);
        m_Window = platform::testing::CreateRenderTestWindow(64, 64);
        m_Viewport.reset(new SCore::SD3D9Viewport);
        m_Viewport->m_RenderDevice->Create(m_Window, 64, 64, 0, false);
        platform::testing::CaptureOnPresent(true);
    }
    void TearDown() override
    {
        m_Viewport.reset();
        if (m_Window) platform::testing::DestroyRenderTestWindow(m_Window);
        platform::testing::ResetAll();
    }
    uint32_t DrawFrame(const SCore::SMaterial& material, const boost::shared_ptr<SCore::SVertexBuffer>& quad)
    {
        SCore::SRenderDevice& device = *m_Viewport->m_RenderDevice;
        device.DoClearScene(0, 0, 0);
        device.DoClearScene(1.0f);
        device.DoBeginScene();
        device.DoSetmaterial(material);
        device.DoBindVertexBuffer(quad);
        device.DoRender(quad, 0);
        device.EndScene();
        return platform::testing::LastPresented().Pixel(32, 32);
    }

    HWND m_Window = nullptr;
    boost::shared_ptr<SCore::SD3D9Viewport> m_Viewport;
};

TEST_F(RenderPixelsTest, MaterialAnimationChangesTheFrameOverTime)
{
    // A 2 x 1 sheet: red cell, green cell.
    auto sheet = m_Viewport->DoCreateTexture("sheet");
    sheet->DoCreateEx(2, 1, 1, D3DFMT_A8R8G8B8);
    {
        SCore::STextureLock lock(sheet);
        uint32_t* texels = static_cast<uint32_t*>(lock.Locked().pBits);
        texels[0] = 0xFFFF0000;
        texels[1] = 0xFF00FF00;
    }
    auto quad = m_Viewport->DoCreateVertexBuffer(4, sizeof(ScreenVertex), 324, D3DPT_TRIANGLESTRIP, 0);
    {
        SCore::TResourceLock<SCore::SVertexBuffer> lock(quad);
        ScreenVertex* v = static_cast<ScreenVertex*>(lock.Data());
        v[0] = {-0.5f, -0.5f, 0.5f, 1, 0xFFFFFFFF, 0, 0};
        v[1] = {63.5f, -0.5f, 0.5f, 1, 0xFFFFFFFF, 1, 0};
        v[2] = {-0.5f, 63.5f, 0.5f, 1, 0xFFFFFFFF, 0, 1};
        v[3] = {63.5f, 63.5f, 0.5f, 1, 0xFFFFFFFF, 1, 1};
    }
    SCore::SMaterial material;
    material.m_Texture1 = sheet;
    boost::shared_ptr<SCore::STextureAnimatorFrame> flip(new SCore::STextureAnimatorFrame("flip", 2, 1));
    flip->m_AnimationSpeed = 2.0f; // two cells a second
    material.SetAnimator1(flip);

    EXPECT_EQ(0xFFFF0000u, DrawFrame(material, quad));
    platform::testing::AdvanceFakeTime(500);
    EXPECT_EQ(0xFF00FF00u, DrawFrame(material, quad));
    platform::testing::AdvanceFakeTime(500);
    EXPECT_EQ(0xFFFF0000u, DrawFrame(material, quad));
}
