#include "tests/engine/core/render/RenderEngineFixture.h"

#include "engine/core/render/SFont.h"
#include "engine/core/render/SIndexBuffer.h"
#include "engine/core/render/SRenderPass.h"
#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureLock.h"
#include "engine/core/render/SVertexBuffer.h"
#include "engine/core/render/TResourceLock.h"
#include "engine/core/render/dx9/SD3D9Font.h"
#include "engine/core/render/dx9/SD3D9RenderPass.h"
#include "platform/testing_render.h"

#include <thread>

using platform::testing::InjectOnce;
using platform::testing::RenderCalls;

TEST_F(RenderEngineTest, IndexSizeFollowsTheFormatAndAnUnknownOneLeaksNothing)
{
    CreateDevice();
    EXPECT_EQ(12u, m_Viewport->DoCreateIndexBuffer(6, D3DFMT_INDEX16, 0)->m_Length);
    EXPECT_EQ(24u, m_Viewport->DoCreateIndexBuffer(6, D3DFMT_INDEX32, 0)->m_Length);
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Viewport->DoCreateIndexBuffer(6, 100, 0); }),
                           "can't get index size: unknown index buffer format"));
    EXPECT_EQ(0, platform::testing::LiveObjects("IDirect3DIndexBuffer9"));
}

TEST_F(RenderEngineTest, BufferCreationFailuresThrowTheirTexts)
{
    CreateDevice();
    struct Case {
        bool vertex;
        HRESULT code;
        const char* text;
    } cases[] = {{true, D3DERR_INVALIDCALL, "Can't create D3D9 Vertex Buffer: INVALIDCALL"},
                 {true, D3DERR_OUTOFVIDEOMEMORY, "Can't create D3D9 Vertex Buffer: OUTOFVIDEOMEMORYL"},
                 {false, D3DXERR_INVALIDDATA, "Can't create D3D9 Index Buffer: INVALIDDATA"},
                 {false, E_FAIL, "Can't create D3D9 Index Buffer: UNKNOWN ERROR"}};
    for (const Case& c : cases) {
        InjectOnce(c.vertex ? "IDirect3DDevice9::CreateVertexBuffer" : "IDirect3DDevice9::CreateIndexBuffer", c.code);
        std::string text = ThrownText([&] {
            if (c.vertex) m_Viewport->DoCreateVertexBuffer(3, 28, 324, 4, 0);
            else m_Viewport->DoCreateIndexBuffer(3, D3DFMT_INDEX16, 0);
        });
        EXPECT_TRUE(StartsWith(text, c.text)) << text;
    }
}

TEST_F(RenderEngineTest, FailedAndAbandonedLocksLeaveTheDeviceLockFree)
{
    CreateDevice();
    auto vb = m_Viewport->DoCreateVertexBuffer(4, 24, 322, 4, 0);
    auto texture = m_Viewport->DoCreateTexture("t");
    texture->DoCreateEx(8, 8, 1, D3DFMT_A8R8G8B8);
    InjectOnce("IDirect3DVertexBuffer9::Lock", D3DERR_INVALIDCALL);
    EXPECT_TRUE(StartsWith(ThrownText([&] { SCore::TResourceLock<SCore::SVertexBuffer> lock(vb); }),
                           "can't Lock vertex buffer"));
    InjectOnce("IDirect3DTexture9::LockRect", D3DERR_INVALIDCALL);
    EXPECT_TRUE(StartsWith(ThrownText([&] { SCore::STextureLock lock(texture); }), "can't lock texture"));
    // A failure while filling: the scoped locks unlock on the way out.
    EXPECT_EQ("missing attribute", ThrownText([&] {
                  SCore::TResourceLock<SCore::SVertexBuffer> lock(vb);
                  SCore::STextureLock level(texture);
                  throw SCore::TarnCoreException("missing attribute");
              }));
    bool drew = false;
    std::thread other([&] {
        SCore::SRenderDeviceLock lock(Device());
        drew = true;
    });
    other.join();
    EXPECT_TRUE(drew);
}

TEST_F(RenderEngineTest, TexturesCreateAndLoadOnTheViewportsDevice)
{
    CreateDevice();
    auto texture = m_Viewport->DoCreateTexture("t"); // usable at once: the viewport gives the device
    EXPECT_TRUE(StartsWith(ThrownText([&] { texture->DoCreate(8, 8, 24); }),
                           "can't create texture - unknown Color Depth SD3D9Texture::DoCreate() Src\\dx9\\SD3D9Texture at:"));
    EXPECT_EQ(nullptr, texture->DoGetNativeTexture());

    texture->DoLoad(std::string(TARN_SOURCE_DIR) + "/tests/platform/image/data/rgb.png");
    EXPECT_EQ(16u, texture->DoGetWidth());
    SCore::STextureLoadParams params;
    params.Format = D3DFMT_A8R8G8B8;
    params.Pool = D3DPOOL_MANAGED;
    texture->DoLoad(std::string(TARN_SOURCE_DIR) + "/tests/platform/image/data/rgb.png", params);
    EXPECT_EQ(5u, static_cast<IDirect3DTexture9*>(texture->DoGetNativeTexture())->GetLevelCount());
    EXPECT_EQ(1, platform::testing::LiveObjects("IDirect3DTexture9")); // the earlier load was released
}

TEST_F(RenderEngineTest, TextureFailuresThrowTheirTexts)
{
    CreateDevice();
    auto texture = m_Viewport->DoCreateTexture("t");
    std::string file = std::string(TARN_SOURCE_DIR) + "/tests/platform/image/data/rgb.png";
    std::string png = "\x89PNG";
    struct Case {
        const char* site;
        HRESULT code;
        std::function<void()> act;
        std::string text;
    } cases[] = {
        {"IDirect3DDevice9::CreateTexture", E_OUTOFMEMORY, [&] { texture->DoCreate(4, 4, 32); }, "can't create texture: OUTOFMEMORY"},
        {"IDirect3DDevice9::CreateTexture", E_ABORT, [&] { texture->DoCreateEx(4, 4, 1, 21); }, "can't create texture: UNKNOWN ERROR"},
        {"IDirect3DDevice9::GetBackBuffer", D3DERR_INVALIDCALL, [&] { texture->DoCreateAsRenderTarget(4, 4); },
         "can't create texture as render targer: GetBackBuffer(): INVALIDCALL"},
        {"IDirect3DDevice9::CreateTexture", E_OUTOFMEMORY, [&] { texture->DoCreateAsRenderTarget(4, 4); },
         "can't create texture as render targer: OUTOFMEMORY"},
        {"D3DXCreateTextureFromFileA", E_PATH_NOT_FOUND, [&] { texture->DoLoad(file); }, "can't load texture:" + file + " : file not found"},
        {"D3DXCreateTextureFromFileA", E_ABORT, [&] { texture->DoLoad(file); }, "can't load texture:" + file + " : UNKNOWN ERROR"},
        {"D3DXCreateTextureFromFileInMemory", E_OUTOFMEMORY, [&] { texture->DoLoadFromMemory(png.data(), 4); },
         "can't load texture from memory : OUTOFMEMORY"},
        {"IDirect3DTexture9::UnlockRect", E_FAIL,
         [&] {
             texture->DoCreate(4, 4, 32);
             D3DLOCKED_RECT r;
             texture->DoLockRect(0, &r, nullptr, 0);
             texture->DoUnlockRect(0);
         },
         "can't unlock texture"},
    };
    for (const Case& c : cases) {
        InjectOnce(c.site, c.code);
        std::string text = ThrownText(c.act);
        EXPECT_TRUE(StartsWith(text, c.text)) << text;
    }
    std::string garbage = "not an image";
    EXPECT_TRUE(StartsWith(ThrownText([&] { texture->DoLoadFromMemory(garbage.data(), uint32_t(garbage.size())); }),
                           "can't load texture from memory : INVALIDDATA"));
}

TEST_F(RenderEngineTest, RenderPassStartsAsIdentitiesAndAppliesItsMatrices)
{
    CreateDevice();
    auto pass = boost::static_pointer_cast<SCore::SD3D9RenderPass>(m_Viewport->CreateRenderPass());
    SCore::SMatrix scaled = SCore::IdentityMatrix();
    scaled.m[0][0] = 4.0f;
    Device().DoSetTransform(SCore::STT_VIEW, scaled);
    pass->DoApply();
    for (uint32_t type : {SCore::STT_WORLD, SCore::STT_VIEW, SCore::STT_PROJECTION})
        EXPECT_EQ(1.0f, Device().DoGetTransform(type).m[0][0]);
    pass->m_Projection = scaled;
    pass->DoApply();
    EXPECT_EQ(4.0f, Device().DoGetTransform(SCore::STT_PROJECTION).m[0][0]);
}

TEST_F(RenderEngineTest, FontsFollowResetWhileTheyLive)
{
    CreateDevice();
    auto first = boost::static_pointer_cast<SCore::SD3D9Font>(m_Viewport->DoCreateFont());
    auto second = boost::static_pointer_cast<SCore::SD3D9Font>(m_Viewport->DoCreateFont());
    first->DoCreate(m_Viewport->m_RenderDevice);
    second->DoCreate(m_Viewport->m_RenderDevice);
    EXPECT_EQ(2u, Device().FontCount());
    first->DoKill();
    EXPECT_EQ(1u, Device().FontCount());
    Device().Reset();
    EXPECT_EQ(1u, second->GetNativeFont()->LostCount());
    EXPECT_EQ(1u, second->GetNativeFont()->ResetCount());
    second->DoDrawText(10, 10, 10, 40, "text", 0xFFFFFFFF, DT_NOCLIP);
    EXPECT_EQ(1u, RenderCalls("DrawPrimitive").size());
    second.reset();
    EXPECT_EQ(0u, Device().FontCount());

    auto failed = m_Viewport->DoCreateFont();
    InjectOnce("D3DXCreateFontIndirectA", E_FAIL);
    EXPECT_TRUE(StartsWith(ThrownText([&] { failed->DoCreate(m_Viewport->m_RenderDevice); }), "can't create font"));
    EXPECT_EQ(0u, Device().FontCount());
    EXPECT_EQ(0, platform::testing::LiveObjects("ID3DXFont"));
}
