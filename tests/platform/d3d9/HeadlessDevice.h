#pragma once
// A Direct3D 9 device on a virtual window, forced headless, recording its calls.

#include "platform/d3d9.h"
#include "platform/testing.h"
#include "platform/testing_render.h"
#include "tests/platform/d3d9/RenderTestSupport.h"

#include <gtest/gtest.h>

class HeadlessDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::ResetAll();
        platform::testing::SetRenderMode(platform::testing::RenderMode::Headless);
        m_Window = platform::testing::CreateRenderTestWindow(320, 240);
        m_D3D = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(nullptr, m_D3D);
        D3DPRESENT_PARAMETERS params = Params();
        ASSERT_EQ(D3D_OK, m_D3D->CreateDevice(0, D3DDEVTYPE_HAL, m_Window,
                                              D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &m_Device));
        platform::testing::RecordRenderCalls(true);
    }
    void TearDown() override
    {
        if (m_Device) m_Device->Release();
        if (m_D3D) m_D3D->Release();
        platform::testing::DestroyRenderTestWindow(m_Window);
        platform::testing::ResetAll();
    }
    D3DPRESENT_PARAMETERS Params() const { return WindowedParams(m_Window, 320, 240); }
    DWORD RenderState(D3DRENDERSTATETYPE s)
    {
        DWORD v = 0;
        m_Device->GetRenderState(s, &v);
        return v;
    }
    DWORD StageState(DWORD stage, D3DTEXTURESTAGESTATETYPE s)
    {
        DWORD v = 0;
        m_Device->GetTextureStageState(stage, s, &v);
        return v;
    }

    HWND m_Window = nullptr;
    IDirect3D9* m_D3D = nullptr;
    IDirect3DDevice9* m_Device = nullptr;
};
