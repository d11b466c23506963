#pragma once
// A Direct3D 9 device on a test window of the layer, headless or drawn by OpenGL, with the
// textures and buffers a test fills; everything is released with the device.

#include "platform/d3d9.h"
#include "platform/testing.h"
#include "platform/testing_render.h"
#include "tests/platform/d3d9/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

class DeviceTest : public ::testing::Test {
protected:
    void Open(platform::testing::RenderMode mode, UINT width, UINT height)
    {
        platform::testing::ResetAll();
        platform::testing::SetRenderMode(mode);
        m_Width = width;
        m_Height = height;
        m_Window = platform::testing::CreateRenderTestWindow(width, height);
        ASSERT_NE(nullptr, m_Window);
        m_D3D = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(nullptr, m_D3D);
        D3DPRESENT_PARAMETERS params = Params();
        ASSERT_EQ(D3D_OK, m_D3D->CreateDevice(0, D3DDEVTYPE_HAL, m_Window,
                                              D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &m_Device));
    }
    void TearDown() override
    {
        for (IUnknown* o : m_Owned) o->Release();
        if (m_Device) m_Device->Release();
        if (m_D3D) m_D3D->Release();
        if (m_Window) platform::testing::DestroyRenderTestWindow(m_Window);
        platform::testing::ResetAll();
    }
    D3DPRESENT_PARAMETERS Params() const { return WindowedParams(m_Window, m_Width, m_Height); }
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
    // A 32-bit texture of the given texels.
    IDirect3DTexture9* Texture(UINT w, UINT h, const uint32_t* argb)
    {
        IDirect3DTexture9* t = nullptr;
        EXPECT_EQ(D3D_OK, m_Device->CreateTexture(w, h, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t, nullptr));
        D3DLOCKED_RECT r;
        t->LockRect(0, &r, nullptr, 0);
        if (argb) std::memcpy(r.pBits, argb, w * h * 4);
        t->UnlockRect(0);
        m_Owned.push_back(t);
        return t;
    }
    // A vertex buffer of the vertices, set as the stream with its format.
    template <typename V>
    IDirect3DVertexBuffer9* Stream(DWORD fvf, const V* vertices, UINT count)
    {
        IDirect3DVertexBuffer9* vb = nullptr;
        EXPECT_EQ(D3D_OK, m_Device->CreateVertexBuffer(count * sizeof(V), 0, fvf, D3DPOOL_MANAGED, &vb, nullptr));
        if (!vb) return nullptr;
        m_Owned.push_back(vb);
        void* p = nullptr;
        EXPECT_EQ(D3D_OK, vb->Lock(0, 0, &p, 0));
        if (p) std::memcpy(p, vertices, count * sizeof(V));
        vb->Unlock();
        m_Device->SetFVF(fvf);
        m_Device->SetStreamSource(0, vb, 0, sizeof(V));
        return vb;
    }
    // A 16-bit index buffer of the indices, set on the device.
    void Indices(const std::vector<uint16_t>& indices)
    {
        IDirect3DIndexBuffer9* ib = nullptr;
        ASSERT_EQ(D3D_OK, m_Device->CreateIndexBuffer(UINT(indices.size() * 2), 0, D3DFMT_INDEX16, D3DPOOL_MANAGED,
                                                      &ib, nullptr));
        m_Owned.push_back(ib);
        void* p = nullptr;
        ASSERT_EQ(D3D_OK, ib->Lock(0, 0, &p, 0));
        std::memcpy(p, indices.data(), indices.size() * 2);
        ib->Unlock();
        m_Device->SetIndices(ib);
    }

    UINT m_Width = 0, m_Height = 0;
    HWND m_Window = nullptr;
    IDirect3D9* m_D3D = nullptr;
    IDirect3DDevice9* m_Device = nullptr;
    std::vector<IUnknown*> m_Owned;
};

// A headless device of 320 x 240 recording its calls.
class HeadlessDeviceTest : public DeviceTest {
protected:
    void SetUp() override
    {
        Open(platform::testing::RenderMode::Headless, 320, 240);
        platform::testing::RecordRenderCalls(true);
    }
};
