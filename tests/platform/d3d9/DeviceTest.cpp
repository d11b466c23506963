#include "tests/platform/d3d9/DeviceFixture.h"
#include "platform/testing_render.h"

#include <cstring>
#include <thread>

using platform::testing::DrawnPrimitives;
using platform::testing::LiveObjects;

TEST_F(HeadlessDeviceTest, NewAndResetDevicesHaveTheDefaultState)
{
    auto check = [this] {
        const std::pair<D3DRENDERSTATETYPE, DWORD> states[] = {
            {D3DRS_ZENABLE, 1},          {D3DRS_ZWRITEENABLE, 1}, {D3DRS_ZFUNC, 4},    {D3DRS_CULLMODE, 3},
            {D3DRS_FILLMODE, 3},         {D3DRS_SRCBLEND, 2},     {D3DRS_DESTBLEND, 1}, {D3DRS_LIGHTING, 1},
            {D3DRS_ALPHABLENDENABLE, 0}, {D3DRS_FOGENABLE, 0}};
        for (const auto& s : states) EXPECT_EQ(s.second, RenderState(s.first)) << s.first;
        EXPECT_EQ(4u, StageState(0, D3DTSS_COLOROP));
        EXPECT_EQ(2u, StageState(0, D3DTSS_ALPHAOP));
        EXPECT_EQ(0u, StageState(0, D3DTSS_TEXTURETRANSFORMFLAGS));
        D3DVIEWPORT9 vp;
        m_Device->GetViewport(&vp);
        EXPECT_EQ(0u, vp.X);
        EXPECT_EQ(320u, vp.Width);
    };
    check();
    m_Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    m_Device->SetRenderState(D3DRS_LIGHTING, FALSE);
    m_Device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    D3DVIEWPORT9 small = {10, 10, 50, 50, 0.0f, 1.0f};
    m_Device->SetViewport(&small);
    D3DPRESENT_PARAMETERS p = Params();
    ASSERT_EQ(D3D_OK, m_Device->Reset(&p));
    check();
}

TEST_F(HeadlessDeviceTest, CreateDeviceRefusesWhatDirect3DRefuses)
{
    IDirect3DDevice9* device = nullptr;
    D3DPRESENT_PARAMETERS fullScreenUnknown = Params();
    fullScreenUnknown.Windowed = FALSE;
    fullScreenUnknown.BackBufferFormat = D3DFMT_UNKNOWN;
    EXPECT_EQ(D3DERR_INVALIDCALL, m_D3D->CreateDevice(0, D3DDEVTYPE_HAL, m_Window, 0, &fullScreenUnknown, &device));
    D3DPRESENT_PARAMETERS noDepthFormat = Params();
    noDepthFormat.AutoDepthStencilFormat = D3DFMT_UNKNOWN;
    EXPECT_EQ(D3DERR_INVALIDCALL, m_D3D->CreateDevice(0, D3DDEVTYPE_HAL, m_Window, 0, &noDepthFormat, &device));
    // A back buffer larger than the device's largest texture could never be drawn whole.
    D3DPRESENT_PARAMETERS tooWide = Params();
    tooWide.BackBufferWidth = 8193;
    EXPECT_EQ(D3DERR_INVALIDCALL, m_D3D->CreateDevice(0, D3DDEVTYPE_HAL, m_Window, 0, &tooWide, &device));
    EXPECT_EQ(D3DERR_INVALIDCALL, m_Device->Reset(&tooWide));
    EXPECT_EQ(nullptr, device);
    EXPECT_EQ(1, LiveObjects("IDirect3DDevice9"));
}

TEST_F(HeadlessDeviceTest, ResetUnbindsAndRefusesWhileARenderTargetLives)
{
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3D_OK, m_Device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr));
    m_Device->SetTexture(0, texture);
    texture->Release();
    EXPECT_EQ(1, LiveObjects("IDirect3DTexture9")); // the binding holds it
    D3DPRESENT_PARAMETERS p = Params();
    ASSERT_EQ(D3D_OK, m_Device->Reset(&p));
    EXPECT_EQ(0, LiveObjects("IDirect3DTexture9"));

    IDirect3DTexture9* target = nullptr;
    ASSERT_EQ(D3D_OK, m_Device->CreateTexture(64, 64, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8,
                                              D3DPOOL_DEFAULT, &target, nullptr));
    EXPECT_EQ(D3DERR_INVALIDCALL, m_Device->Reset(&p));
    target->Release();
    EXPECT_EQ(D3D_OK, m_Device->Reset(&p));
}

TEST_F(HeadlessDeviceTest, RenderTargetsResetTheViewportToTheirSize)
{
    IDirect3DTexture9* target = nullptr;
    ASSERT_EQ(D3D_OK, m_Device->CreateTexture(64, 32, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8,
                                              D3DPOOL_DEFAULT, &target, nullptr));
    IDirect3DSurface9* level = nullptr;
    IDirect3DSurface9* backBuffer = nullptr;
    ASSERT_EQ(D3D_OK, target->GetSurfaceLevel(0, &level));
    ASSERT_EQ(D3D_OK, m_Device->GetRenderTarget(0, &backBuffer));
    ASSERT_EQ(D3D_OK, m_Device->SetRenderTarget(0, level));
    D3DVIEWPORT9 vp;
    m_Device->GetViewport(&vp);
    EXPECT_EQ(64u, vp.Width);
    EXPECT_EQ(32u, vp.Height);
    ASSERT_EQ(D3D_OK, m_Device->SetRenderTarget(0, backBuffer));
    m_Device->GetViewport(&vp);
    EXPECT_EQ(320u, vp.Width);
    level->Release();
    backBuffer->Release();
    target->Release();
    EXPECT_EQ(0, LiveObjects("RenderTarget"));
}

TEST_F(HeadlessDeviceTest, DrawsAreCheckedAgainstTheBoundBuffers)
{
    const ScreenVertex corners[4] = {};
    IDirect3DVertexBuffer9* vb = Stream(kScreenFvf, corners, 4);
    Indices({0, 1, 2, 2, 1, 3, 0, 3, 4}); // the last one names no vertex, by one

    EXPECT_EQ(D3D_OK, m_Device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2));
    EXPECT_EQ(2u, DrawnPrimitives());
    EXPECT_EQ(D3DERR_INVALIDCALL, m_Device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 3, 2));
    EXPECT_EQ(D3DERR_INVALIDCALL, m_Device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 6, 2));
    EXPECT_EQ(D3D_OK, m_Device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 0));
    EXPECT_EQ(D3DERR_INVALIDCALL, m_Device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 1, 0, 4, 0, 2))
        << "index 3 from base vertex 1 names no vertex";
    EXPECT_EQ(D3D_OK, m_Device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2));
    EXPECT_EQ(D3DERR_INVALIDCALL, m_Device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 1, 2));
    EXPECT_EQ(D3DERR_INVALIDCALL, m_Device->DrawPrimitive(D3DPRIMITIVETYPE(7), 0, 1));
    EXPECT_EQ(4u, DrawnPrimitives());
    EXPECT_EQ(D3DERR_INVALIDCALL, m_Device->SetFVF(D3DFVF_XYZ | D3DFVF_XYZRHW));
    // A stride shorter than the format's vertex would read past the buffer.
    m_Device->SetStreamSource(0, vb, 0, sizeof(ScreenVertex) - 4);
    EXPECT_EQ(D3DERR_INVALIDCALL, m_Device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1));
    EXPECT_EQ(D3DERR_INVALIDCALL, m_Device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4, 0, 1));
    EXPECT_EQ(4u, DrawnPrimitives());
}

TEST_F(HeadlessDeviceTest, FrameCallsOffTheMainThreadAreRefused)
{
    HRESULT clear = D3D_OK, present = D3D_OK, draw = D3D_OK;
    std::thread other([&] {
        clear = m_Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
        present = m_Device->Present(nullptr, nullptr, nullptr, nullptr);
        draw = m_Device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1);
    });
    other.join();
    EXPECT_EQ(D3DERR_INVALIDCALL, clear);
    EXPECT_EQ(D3DERR_INVALIDCALL, present);
    EXPECT_EQ(D3DERR_INVALIDCALL, draw);
    EXPECT_EQ(0u, platform::testing::PresentedFrames());
    EXPECT_EQ(D3D_OK, m_Device->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(1u, platform::testing::PresentedFrames());
}

TEST_F(HeadlessDeviceTest, BufferLocksStayInsideTheBuffer)
{
    IDirect3DVertexBuffer9* empty = nullptr;
    IDirect3DVertexBuffer9* vb = nullptr;
    ASSERT_EQ(D3D_OK, m_Device->CreateVertexBuffer(0, 0, kScreenFvf, D3DPOOL_MANAGED, &empty, nullptr));
    ASSERT_EQ(D3D_OK, m_Device->CreateVertexBuffer(96, 0, 322, D3DPOOL_MANAGED, &vb, nullptr));
    void* p = nullptr;
    EXPECT_EQ(D3D_OK, empty->Lock(0, 0, &p, 0));
    EXPECT_NE(nullptr, p);
    void* whole = nullptr;
    void* part = nullptr;
    EXPECT_EQ(D3D_OK, vb->Lock(0, 0, &whole, 0));
    EXPECT_EQ(D3D_OK, vb->Lock(24, 72, &part, 0));
    EXPECT_EQ(static_cast<uint8_t*>(whole) + 24, part);
    EXPECT_EQ(D3DERR_INVALIDCALL, vb->Lock(24, 73, &part, 0));
    D3DVERTEXBUFFER_DESC desc;
    ASSERT_EQ(D3D_OK, vb->GetDesc(&desc));
    EXPECT_EQ(322u, desc.FVF);
    EXPECT_EQ(96u, desc.Size);
    platform::testing::InjectOnce("IDirect3DVertexBuffer9::Lock", D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DERR_INVALIDCALL, vb->Lock(0, 0, &whole, 0));
    empty->Release();
    vb->Release();
    EXPECT_EQ(0, LiveObjects("IDirect3DVertexBuffer9"));
}

TEST_F(HeadlessDeviceTest, TextureLocksAddressTheRectangleAndMarkTheLevel)
{
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3D_OK, m_Device->CreateTexture(256, 256, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr));
    D3DLOCKED_RECT whole, part;
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &whole, nullptr, 0));
    EXPECT_EQ(1024, whole.Pitch);
    ASSERT_EQ(D3D_OK, texture->UnlockRect(0));
    RECT r = {3, 2, 10, 10};
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &part, &r, 0));
    EXPECT_EQ(static_cast<uint8_t*>(whole.pBits) + 2 * 1024 + 3 * 4, part.pBits);
    ASSERT_EQ(D3D_OK, texture->UnlockRect(0));
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->UnlockRect(0));
    RECT outside = {250, 0, 257, 1};
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->LockRect(0, &part, &outside, 0));

    IDirect3DTexture9* chain = nullptr;
    ASSERT_EQ(D3D_OK, m_Device->CreateTexture(8, 2, 0, 0, D3DFMT_A1R5G5B5, D3DPOOL_MANAGED, &chain, nullptr));
    EXPECT_EQ(4u, chain->GetLevelCount());
    D3DSURFACE_DESC desc;
    ASSERT_EQ(D3D_OK, chain->GetLevelDesc(3, &desc));
    EXPECT_EQ(1u, desc.Width);
    EXPECT_EQ(1u, desc.Height);
    ASSERT_EQ(D3D_OK, chain->LockRect(1, &part, nullptr, 0));
    EXPECT_EQ(8, part.Pitch);
    chain->UnlockRect(1);
    EXPECT_EQ(D3DERR_INVALIDCALL,
              m_Device->CreateTexture(8, 8, 1, 0, D3DFMT_D16, D3DPOOL_MANAGED, &chain, nullptr));

    IDirect3DSurface9* surface = nullptr;
    ASSERT_EQ(D3D_OK, texture->GetSurfaceLevel(0, &surface));
    texture->Release();
    EXPECT_EQ(2, LiveObjects("IDirect3DTexture9")); // the surface keeps its texture alive
    surface->Release();
    chain->Release();
    EXPECT_EQ(0, LiveObjects("IDirect3DTexture9"));
    EXPECT_EQ(1, LiveObjects("IDirect3DSurface9")); // the back buffer remains
}

TEST_F(HeadlessDeviceTest, RecordedDrawsKeepTheQuadsTheyCover)
{
    // Two screen quads as one indexed list, then the second as a strip, then a clip-space quad.
    const ScreenVertex quads[8] = {{10, 20, 0, 1, 0, 0, 0},    {50, 20, 0, 1, 0, 1, 0},   {10, 40, 0, 1, 0, 0, 1},
                                   {50, 40, 0, 1, 0, 1, 1},    {100, 0, 0, 1, 0, 0.5f, 0}, {300, 0, 0, 1, 0, 2, 0},
                                   {100, 240, 0, 1, 0, 0.5f, 3}, {300, 240, 0, 1, 0, 2, 3}};
    m_Device->SetTexture(0, Texture(16, 8, nullptr));
    m_Device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    m_Device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    Stream(kScreenFvf, quads, 8);
    Indices({0, 1, 2, 2, 1, 3, 4, 5, 6, 6, 5, 7});
    ASSERT_EQ(D3D_OK, m_Device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 8, 0, 4));
    ASSERT_EQ(D3D_OK, m_Device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 4, 2));
    m_Device->SetTexture(0, nullptr);
    m_Device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    m_Device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    const float corners[20] = {0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 1, 1, -1, 0, 1, 1};
    struct ClipVertex {
        float x, y, z, u, v;
    };
    Stream(D3DFVF_XYZ | D3DFVF_TEX1, reinterpret_cast<const ClipVertex*>(corners), 4);
    ASSERT_EQ(D3D_OK, m_Device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2)); // lower right quarter

    struct Expected {
        float left, top, right, bottom, u0, v0, u1, v1;
        UINT width, height;
        bool blended, linear;
    };
    const Expected expected[4] = {{10, 20, 50, 40, 0, 0, 1, 1, 16, 8, true, true},
                                  {100, 0, 300, 240, 0.5f, 0, 2, 3, 16, 8, true, true},
                                  {100, 0, 300, 240, 0.5f, 0, 2, 3, 16, 8, true, true},
                                  {160, 120, 320, 240, 0, 0, 1, 1, 0, 0, false, false}};
    const auto drawn = platform::testing::DrawnQuads();
    ASSERT_EQ(4u, drawn.size());
    for (size_t i = 0; i < 4; ++i) {
        const auto& q = drawn[i];
        const Expected& e = expected[i];
        EXPECT_EQ((std::vector<float>{e.left, e.top, e.right, e.bottom, e.u0, e.v0, e.u1, e.v1}),
                  (std::vector<float>{q.left, q.top, q.right, q.bottom, q.u0, q.v0, q.u1, q.v1}))
            << i;
        EXPECT_EQ((std::vector<UINT>{e.width, e.height, e.blended, e.linear}),
                  (std::vector<UINT>{q.textureWidth, q.textureHeight, q.blended, q.linear}))
            << i;
    }
    platform::testing::ClearRenderCalls();
    EXPECT_TRUE(platform::testing::DrawnQuads().empty());
}
