#include "tests/engine/core/render/RenderEngineFixture.h"

#include "engine/core/base/IEvent.h"
#include "engine/core/base/SRenderDeviceResetException.h"
#include "engine/core/render/SIndexBuffer.h"
#include "engine/core/render/STexture.h"
#include "engine/core/render/SVertexBuffer.h"
#include "engine/core/render/TResourceLock.h"
#include "platform/testing_render.h"

#include <cstring>

using platform::testing::AdapterConfig;
using platform::testing::InjectOnce;
using platform::testing::RenderCalls;
using SCore::SMatrix;

namespace {

struct CountingEvent : SCore::IEvent {
    int calls = 0;
    void Invoke() override { ++calls; }
};

SMatrix Scaled(float s)
{
    SMatrix m;
    m.m[0][0] = m.m[1][1] = m.m[2][2] = s;
    m.m[3][3] = 1.0f;
    return m;
}

} // namespace

TEST_F(RenderEngineTest, CreateFailuresThrowTheirTexts)
{
    auto adapter = [](UINT format, DWORD intervals) {
        AdapterConfig a;
        a.format = format;
        a.presentationIntervals = intervals;
        return [a] { platform::testing::SetAdapters({a}); };
    };
    auto fail = [](const char* site, HRESULT code) { return [=] { InjectOnce(site, code); }; };
    const char* const kCaps = "IDirect3D9::GetDeviceCaps";
    const char* const kDevice = "IDirect3D9::CreateDevice";
    struct Case {
        std::function<void()> arrange;
        uint32_t depth;
        const char* text;
    } cases[] = {
        {[] {}, 16, "In Windowed mode ColorDepth is not Display Color Depth"},
        {adapter(D3DFMT_A8R8G8B8, 0x80000001u), 0, "Current Display Mode is not R5G6B5 or X8R8G8B8 format"},
        {adapter(D3DFMT_X8R8G8B8, 0), 0, "Can't find Compatible Presentation Interval"},
        {fail("Direct3DCreate9", E_FAIL), 0, "can't create D3D9 Device"},
        {fail("IDirect3D9::GetAdapterDisplayMode", E_FAIL), 0, "can't get Adapter Display Mode : INVALIDCALL"},
        {fail("IDirect3D9::GetAdapterIdentifier", E_FAIL), 0, "can't get Adapter Identifier : INVALIDCALL"},
        {fail(kCaps, D3DERR_INVALIDCALL), 0, "can't get D3D9 Device Capabilitys: INVALIDCALL"},
        {fail(kCaps, E_FAIL), 0, "can't get D3D9 Device Capabilitys: Unknown Error"},
        {fail(kDevice, D3DERR_INVALIDCALL), 0, "Can't create D3D9 Device: INVALIDCALL"},
        {fail(kDevice, E_ABORT), 0, "Can't create D3D9 Device: UNKNOWN ERROR"},
    };
    for (const Case& c : cases) {
        platform::testing::ResetAll();
        platform::testing::SetRenderMode(platform::testing::RenderMode::Headless);
        c.arrange();
        SCore::SD3D9RenderDevice device;
        std::string text = ThrownText([&] { device.Create(m_Window, 800, 600, c.depth, false); });
        EXPECT_TRUE(StartsWith(text, c.text)) << text;
        EXPECT_EQ(nullptr, device.GetNativeDevice());
    }
    EXPECT_EQ(0, platform::testing::LiveObjects("IDirect3D9"));
}

TEST_F(RenderEngineTest, AdapterChoiceFollowsHardwareTransformAndLighting)
{
    AdapterConfig soft, hard;
    soft.hardwareTnL = false;
    platform::testing::SetAdapters({soft, hard});
    CreateDevice();
    EXPECT_EQ(1u, Device().GetAdapter());
    EXPECT_EQ(2u, Device().GetAdapterInfo()->m_Caps.size());
    EXPECT_EQ("D3D9 Device already init", ThrownText([&] { Device().Create(m_Window, 800, 600, 0, false); })
                                              .substr(0, 24));
}

TEST_F(RenderEngineTest, LossIsHeardOnceAndResetWhenPossible)
{
    CreateDevice();
    boost::shared_ptr<CountingEvent> lost(new CountingEvent), restored(new CountingEvent);
    Device().SetLostEvent(lost);
    Device().SetRestoredEvent(restored);
    platform::testing::SimulateDeviceLoss();
    for (int i = 0; i < 3; ++i) {
        Device().DoBeginScene();
        Device().EndScene();
    }
    EXPECT_EQ(1, lost->calls);
    EXPECT_TRUE(Device().IsLost());
    auto sleeps = platform::testing::SleepCalls();
    ASSERT_EQ(3u, sleeps.size());
    EXPECT_EQ(1000u, sleeps[0].ms);
    platform::testing::MakeDeviceResettable();
    EXPECT_EQ("render device reset", ThrownText([&] { Device().DoBeginScene(); })) << "told before the reset";
    EXPECT_TRUE(RenderCalls("Reset").empty());
    Device().DoBeginScene();
    Device().EndScene();
    EXPECT_FALSE(Device().IsLost());
    EXPECT_EQ(1, restored->calls);
    EXPECT_EQ(1u, RenderCalls("Reset").size());
}

TEST_F(RenderEngineTest, TheResetWaitsOneBeginSceneForItsOwnerToReleaseRenderTargets)
{
    CreateDevice();
    boost::shared_ptr<SCore::STexture> target = m_Viewport->DoCreateTexture("target");
    target->DoCreateAsRenderTarget(64, 64);
    for (int reset = 0; reset < 2; ++reset) {
        platform::testing::SimulateDeviceLoss();
        platform::testing::MakeDeviceResettable();
        EXPECT_THROW(Device().DoBeginScene(), SCore::SRenderDeviceResetException);
        target.reset();
        EXPECT_EQ("", ThrownText([&] { Device().DoBeginScene(); }));
        Device().EndScene();
        EXPECT_FALSE(Device().IsLost());
        EXPECT_EQ("", ThrownText([&] { Device().DoBeginScene(); })) << "one word for each reset";
        Device().EndScene();
    }
    EXPECT_EQ(2u, RenderCalls("Reset").size());
}

TEST_F(RenderEngineTest, AModeSwitchThatResetsAfterTheWordLeavesTheNextResetToBeToldAgain)
{
    CreateDevice();
    platform::testing::SimulateDeviceLoss();
    platform::testing::MakeDeviceResettable();
    EXPECT_THROW(Device().DoBeginScene(), SCore::SRenderDeviceResetException);
    Device().DoSetView(false); // the game's update runs before the next frame begins
    Device().DoBeginScene();
    Device().EndScene();
    platform::testing::SimulateDeviceLoss();
    platform::testing::MakeDeviceResettable();
    EXPECT_THROW(Device().DoBeginScene(), SCore::SRenderDeviceResetException);
}

TEST_F(RenderEngineTest, AResetLostAgainIsTriedAgainAtTheNextBeginScene)
{
    CreateDevice();
    boost::shared_ptr<CountingEvent> restored(new CountingEvent);
    Device().SetRestoredEvent(restored);
    platform::testing::SimulateDeviceLoss();
    platform::testing::MakeDeviceResettable();
    InjectOnce("IDirect3DDevice9::Reset", D3DERR_DEVICELOST);
    EXPECT_THROW(Device().DoBeginScene(), SCore::SRenderDeviceResetException);
    EXPECT_EQ("", ThrownText([&] { Device().DoBeginScene(); }));
    Device().EndScene();
    EXPECT_TRUE(Device().IsLost());
    EXPECT_EQ(0, restored->calls);
    Device().DoBeginScene();
    EXPECT_FALSE(Device().IsLost());
    EXPECT_EQ(1, restored->calls);
}

TEST_F(RenderEngineTest, ResetFailuresThrowTheirTexts)
{
    CreateDevice();
    struct Case {
        HRESULT code;
        const char* text;
    } cases[] = {{D3DERR_DRIVERINTERNALERROR, "can't reset D3D9 device(D3DERR_DRIVERINTERNALERROR)"},
                 {E_ABORT, "can't reset D3D9 device(UNKNOWN ERROR)"}};
    for (const Case& c : cases) {
        InjectOnce("IDirect3DDevice9::Reset", c.code);
        EXPECT_TRUE(StartsWith(ThrownText([&] { Device().Reset(); }), c.text)) << c.text;
    }
    // A loss meanwhile is no failure but a result; a mode switch that meets it fails with it.
    InjectOnce("IDirect3DDevice9::Reset", D3DERR_DEVICELOST);
    EXPECT_EQ(SCore::SD3D9RenderDevice::ResetResult::LostAgain, Device().Reset());
    InjectOnce("IDirect3DDevice9::Reset", D3DERR_DEVICELOST);
    EXPECT_TRUE(StartsWith(ThrownText([&] { Device().DoSetView(false); }),
                           "can't reset D3D9 device(D3DERR_DEVICELOST) SD3D9RenderDevice::DoSetView()"));
    // Not the passing loss: a failed reset during begin-scene ends the frame with the text.
    platform::testing::SimulateDeviceLoss();
    platform::testing::MakeDeviceResettable();
    InjectOnce("IDirect3DDevice9::Reset", E_OUTOFMEMORY);
    EXPECT_THROW(Device().DoBeginScene(), SCore::SRenderDeviceResetException);
    std::string text = ThrownText([&] { Device().DoBeginScene(); });
    EXPECT_TRUE(StartsWith(text, "can't reset D3D9 device(E_OUTOFMEMORY) SD3D9RenderDevice::Reset()")) << text;
    EXPECT_NE(std::string::npos, text.find("SD3D9RenderDevice::DoBeginScene()"));
}

TEST_F(RenderEngineTest, TheStageCacheForgetsResetAndReloadedTextures)
{
    CreateDevice();
    boost::shared_ptr<SCore::STexture> a = m_Viewport->DoCreateTexture("a");
    a->DoCreate(4, 4, 32);
    a->DoSet(0);
    a->DoSet(0);
    EXPECT_EQ(1u, RenderCalls("SetTexture").size());
    Device().Reset();
    a->DoSet(0);
    EXPECT_EQ(2u, RenderCalls("SetTexture").size());
    a->DoCreate(8, 8, 16); // a new native texture behind the same object
    a->DoSet(0);
    EXPECT_EQ(3u, RenderCalls("SetTexture").size());
    a.reset();
    boost::shared_ptr<SCore::STexture> b = m_Viewport->DoCreateTexture("b");
    b->DoCreate(4, 4, 32);
    b->DoSet(0);
    EXPECT_EQ(4u, RenderCalls("SetTexture").size());
    InjectOnce("IDirect3DDevice9::SetTexture", E_FAIL);
    EXPECT_TRUE(StartsWith(ThrownText([&] { b->DoSet(1); }), "can't set texture"));
}

TEST_F(RenderEngineTest, PrimitiveCountsStartAtTheStartIndex)
{
    CreateDevice();
    auto vb = m_Viewport->DoCreateVertexBuffer(4, 28, 324, D3DPT_TRIANGLELIST, 0);
    auto ib = m_Viewport->DoCreateIndexBuffer(9, D3DFMT_INDEX16, 0);
    {
        SCore::TResourceLock<SCore::SIndexBuffer> lock(ib);
        std::memset(lock.Data(), 0, 18);
    }
    Device().DoBindVertexBuffer(vb);
    Device().DoBindIndexBuffer(ib);
    Device().DoRender(vb, ib, 3);
    auto draws = RenderCalls("DrawIndexedPrimitive");
    ASSERT_EQ(1u, draws.size());
    EXPECT_EQ((std::vector<int64_t>{4, 0, 0, 4, 3, 2}), draws[0].args);
    EXPECT_EQ(D3D_OK, draws[0].result);

    auto seven = m_Viewport->DoCreateIndexBuffer(7, D3DFMT_INDEX16, 0);
    Device().DoBindIndexBuffer(seven);
    Device().DoRender(vb, seven, 0);
    EXPECT_EQ(2, RenderCalls("DrawIndexedPrimitive")[1].args[5]);

    auto strip = m_Viewport->DoCreateVertexBuffer(2, 28, 324, D3DPT_TRIANGLESTRIP, 0);
    auto one = m_Viewport->DoCreateIndexBuffer(1, D3DFMT_INDEX16, 0);
    Device().DoRender(strip, one, 0);
    Device().DoBindVertexBuffer(strip);
    Device().DoRender(strip, 0);
    EXPECT_EQ(2u, RenderCalls("DrawIndexedPrimitive").size());
    EXPECT_TRUE(RenderCalls("DrawPrimitive").empty());

    auto bad = m_Viewport->DoCreateVertexBuffer(3, 28, 324, 7u, 0);
    platform::testing::ClearRenderCalls();
    EXPECT_TRUE(StartsWith(ThrownText([&] { Device().DoRender(bad, ib, 0); }), "Primitivew type is not supported"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { Device().DoRender(bad, 0); }), "Primitivew type is not supported"));

    // A refused draw fails as loudly as the unindexed one does.
    Device().DoBindVertexBuffer(vb);
    Device().DoBindIndexBuffer(ib);
    platform::testing::InjectOnce("IDirect3DDevice9::DrawIndexedPrimitive", D3DERR_INVALIDCALL);
    EXPECT_TRUE(StartsWith(ThrownText([&] { Device().DoRender(vb, ib, 0); }),
                           "can't draw indexed primitive SD3D9RenderDevice::DoRender() Src\\dx9\\SD3D9RenderDevice at:"));
}

TEST_F(RenderEngineTest, MaterialsAndFiltrationsLeaveTheirStatesOnTheDevice)
{
    CreateDevice();
    IDirect3DDevice9& native = *Device().GetNativeDevice();
    SCore::SMaterial m;
    m.m_CullMode = 3;
    m.m_AlphaBlend = 1;
    m.m_FillMode = 0;  // out of range: the fill mode stays
    m.m_ColorOp = 27; // out of range: the colour operation stays
    m.m_AlphaOp = 4;
    m.m_ZWrite = 0;
    m.m_Lighting = 1;
    Device().DoSetmaterial(m);
    const std::pair<D3DRENDERSTATETYPE, DWORD> states[] = {
        {D3DRS_CULLMODE, 3}, {D3DRS_ALPHABLENDENABLE, 1}, {D3DRS_SRCBLEND, 5}, {D3DRS_DESTBLEND, 8},
        {D3DRS_ZENABLE, 0},  {D3DRS_LIGHTING, 1},         {D3DRS_FOGENABLE, 0}, {D3DRS_FILLMODE, 3}};
    for (const auto& s : states) {
        DWORD value = 99;
        native.GetRenderState(s.first, &value);
        EXPECT_EQ(s.second, value) << s.first;
    }
    DWORD colour = 0, alpha = 0;
    native.GetTextureStageState(0, D3DTSS_COLOROP, &colour);
    native.GetTextureStageState(0, D3DTSS_ALPHAOP, &alpha);
    EXPECT_EQ(4u, colour);
    EXPECT_EQ(4u, alpha);

    struct Case {
        bool bilinear, trilinear, anisotropic;
        DWORD min, mip, mag;
    } cases[] = {{false, false, false, 1, 0, 1}, {true, false, false, 2, 1, 2}, {true, true, true, 3, 2, 3}};
    for (const Case& c : cases) {
        SCore::STextureFiltration f;
        f.m_IsBilinear = c.bilinear;
        f.m_IsTrilinear = c.trilinear;
        f.m_IsAnisotropic = c.anisotropic;
        Device().DoSetTextureFiltration(1, f);
        DWORD min = 9, mip = 9, mag = 9;
        native.GetSamplerState(1, D3DSAMP_MINFILTER, &min);
        native.GetSamplerState(1, D3DSAMP_MIPFILTER, &mip);
        native.GetSamplerState(1, D3DSAMP_MAGFILTER, &mag);
        EXPECT_EQ(c.min, min) << c.bilinear << c.trilinear;
        EXPECT_EQ(c.mip, mip) << c.bilinear << c.trilinear;
        EXPECT_EQ(c.mag, mag) << c.bilinear << c.trilinear;
    }
}

TEST_F(RenderEngineTest, TransformStackRestoresInReverseOrderAndIgnoresAnEmptyPop)
{
    CreateDevice();
    Device().DoPopTransform(SCore::STT_WORLD);
    EXPECT_EQ(1.0f, Device().DoGetTransform(SCore::STT_WORLD).m[0][0]);
    Device().DoSetTransform(SCore::STT_WORLD, Scaled(2));
    Device().DoPushTransform(SCore::STT_WORLD);
    Device().DoSetTransform(SCore::STT_VIEW, Scaled(3));
    Device().DoPushTransform(SCore::STT_VIEW);
    Device().DoSetTransform(SCore::STT_WORLD, Scaled(5));
    Device().DoSetTransform(SCore::STT_VIEW, Scaled(7));
    Device().DoPopTransform(SCore::STT_VIEW);
    Device().DoPopTransform(SCore::STT_WORLD);
    EXPECT_EQ(3.0f, Device().DoGetTransform(SCore::STT_VIEW).m[0][0]);
    EXPECT_EQ(2.0f, Device().DoGetTransform(SCore::STT_WORLD).m[0][0]);
    EXPECT_EQ(0u, Device().TransformStackSize());
    InjectOnce("IDirect3DDevice9::SetTransform", D3DERR_INVALIDCALL);
    EXPECT_TRUE(StartsWith(ThrownText([&] { Device().DoSetTransform(2, Scaled(1)); }), "can't set transform INVALIDCALL"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { Device().DoGetTransform(5); }), "can't get transform INVALIDCALL"));
}

TEST_F(RenderEngineTest, FullScreenSwitchResetsWithTheRequestedSize)
{
    CreateDevice();
    Device().DoSetView(true);
    EXPECT_EQ(800u, Device().DoGetWidth());
    EXPECT_EQ(600u, Device().DoGetHeight());
    EXPECT_FALSE(Device().GetPresentParameters().Windowed);
    Device().DoSetView(false);
    EXPECT_EQ(320u, Device().DoGetWidth());
    Device().DoSetView(false); // unchanged mode: still a reset
    EXPECT_EQ(3u, RenderCalls("Reset").size());
}

TEST_F(RenderEngineTest, ResetRestoresTheBackBufferAsTheNullRenderTarget)
{
    CreateDevice();
    auto target = m_Viewport->DoCreateTexture("target");
    target->DoCreateAsRenderTarget(64, 32);
    Device().DoSetRenderTarget(target.get());
    Device().DoSetRenderTarget(nullptr);
    InjectOnce("IDirect3DDevice9::SetRenderTarget", E_FAIL);
    EXPECT_TRUE(StartsWith(ThrownText([&] { Device().DoSetRenderTarget(target.get()); }), "can't set RenderTarget"));
    target.reset(); // a live render target would refuse the reset
    Device().Reset();
    Device().DoSetRenderTarget(nullptr);
    auto sets = RenderCalls("SetRenderTarget");
    ASSERT_EQ(4u, sets.size());
    EXPECT_EQ(D3D_OK, sets[3].result);
}

