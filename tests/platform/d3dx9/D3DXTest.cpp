#include "tests/platform/d3d9/DeviceFixture.h"

#include "platform/d3dx9.h"
#include "platform/testing_render.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::string kData = std::string(TARN_SOURCE_DIR) + "/tests/platform/image/data/";

// 10 x 6 binary PPM, all one colour.
std::string SolidPpm(uint8_t r, uint8_t g, uint8_t b)
{
    std::string s = "P6\n10 6\n255\n";
    for (int i = 0; i < 60; ++i) s += std::string{char(r), char(g), char(b)};
    return s;
}

} // namespace

class D3DXTextureTest : public HeadlessDeviceTest {
protected:
    D3DSURFACE_DESC Level(IDirect3DTexture9* t, UINT level)
    {
        D3DSURFACE_DESC d = {};
        EXPECT_EQ(D3D_OK, t->GetLevelDesc(level, &d));
        return d;
    }
};

TEST_F(D3DXTextureTest, DefaultSizesRoundUpToPowersOfTwoWithAFullChain)
{
    std::string ppm = SolidPpm(0x12, 0x34, 0x56);
    IDirect3DTexture9* t = nullptr;
    ASSERT_EQ(D3D_OK, D3DXCreateTextureFromFileInMemory(m_Device, ppm.data(), UINT(ppm.size()), &t));
    EXPECT_EQ(16u, Level(t, 0).Width);
    EXPECT_EQ(8u, Level(t, 0).Height);
    EXPECT_EQ(D3DFMT_X8R8G8B8, Level(t, 0).Format);
    EXPECT_EQ(5u, t->GetLevelCount());
    D3DLOCKED_RECT r;
    ASSERT_EQ(D3D_OK, t->LockRect(4, &r, nullptr, 0));
    EXPECT_EQ(0xFF123456u, *static_cast<uint32_t*>(r.pBits)); // stretched and filtered, still solid
    t->UnlockRect(4);
    t->Release();

    IDirect3DTexture9* one = nullptr;
    ASSERT_EQ(D3D_OK, D3DXCreateTextureFromFileExA(m_Device, (kData + "rgba.png").c_str(), D3DX_DEFAULT,
                                                   D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, 4, 4, 0,
                                                   nullptr, nullptr, &one));
    EXPECT_EQ(1u, one->GetLevelCount());
    EXPECT_EQ(D3DFMT_A8R8G8B8, Level(one, 0).Format);
    one->Release();
    EXPECT_EQ(0, platform::testing::LiveObjects("IDirect3DTexture9"));
}

TEST_F(D3DXTextureTest, LoadFailuresCarryTheirResults)
{
    IDirect3DTexture9* t = nullptr;
    EXPECT_EQ(E_FILE_NOT_FOUND, D3DXCreateTextureFromFileA(m_Device, (kData + "missing.png").c_str(), &t));
    EXPECT_EQ(E_PATH_NOT_FOUND, D3DXCreateTextureFromFileA(m_Device, (kData + "no\\such\\x.png").c_str(), &t));
    std::string text = "definitely not an image";
    EXPECT_EQ(D3DXERR_INVALIDDATA, D3DXCreateTextureFromFileInMemory(m_Device, text.data(), UINT(text.size()), &t));
    EXPECT_EQ(0, platform::testing::LiveObjects("IDirect3DTexture9"));
}

TEST(D3DXMathTest, MatricesFollowTheRowVectorConventions)
{
    D3DXMATRIX p;
    D3DXMatrixPerspectiveFovRH(&p, 1.0466667f, 1.3333334f, 1.0f, 1000.0f);
    EXPECT_NEAR(1.2998346f, p._11, 1e-5);
    EXPECT_NEAR(1.7331129f, p._22, 1e-5);
    EXPECT_NEAR(-1.001001f, p._33, 1e-6);
    EXPECT_EQ(-1.0f, p._34);
    EXPECT_NEAR(-1.001001f, p._43, 1e-6);

    D3DXMATRIX view;
    D3DXVECTOR3 eye(0, 0, 5), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXVECTOR3 origin(0, 0, 0), seen;
    D3DXVec3TransformCoord(&seen, &origin, &view);
    EXPECT_NEAR(-5.0f, seen.z, 1e-6); // right-handed: the target lies down -z

    D3DXMATRIX t, r, both;
    D3DXMatrixTranslation(&t, 1, 2, 3);
    D3DXMatrixRotationY(&r, 1.5707964f);
    D3DXMatrixMultiply(&both, &r, &t);
    D3DXVECTOR3 x(1, 0, 0), moved;
    D3DXVec3TransformCoord(&moved, &x, &both); // rotated first, then translated
    EXPECT_NEAR(1.0f, moved.x, 1e-6);
    EXPECT_NEAR(2.0f, moved.y, 1e-6);
    EXPECT_NEAR(2.0f, moved.z, 1e-6);

    D3DXVECTOR3 zero(0, 0, 0), n;
    D3DXVec3Normalize(&n, &zero);
    EXPECT_EQ(0.0f, n.x);
}

TEST_F(HeadlessDeviceTest, FontMeasuresAndDrawsOneQuadLeavingTheStatesAlone)
{
    LOGFONTA desc = {};
    desc.lfHeight = 32;
    desc.lfWeight = 700;
    desc.lfCharSet = DEFAULT_CHARSET;
    desc.lfQuality = ANTIALIASED_QUALITY;
    ID3DXFont* font = nullptr;
    ASSERT_EQ(D3D_OK, D3DXCreateFontIndirectA(m_Device, &desc, &font));
    RECT measure = {0, 0, 0, 0};
    INT height = font->DrawTextA("Hello", -1, &measure, DT_CALCRECT, 0xFFFFFFFF);
    EXPECT_NEAR(32, height, 2);
    EXPECT_GT(measure.right, 40);
    EXPECT_EQ(0u, platform::testing::DrawnPrimitives());

    m_Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    RECT zeroWidth = {10, 10, 10, 60};
    font->DrawTextA("Hello", -1, &zeroWidth, DT_LEFT | DT_NOCLIP, 0xFFFFFFFF);
    EXPECT_EQ(2u, platform::testing::DrawnPrimitives());
    font->DrawTextA("Hello", -1, &zeroWidth, DT_LEFT, 0xFFFFFFFF); // clipped away entirely
    EXPECT_EQ(2u, platform::testing::DrawnPrimitives());
    EXPECT_EQ(DWORD(D3DCULL_CW), RenderState(D3DRS_CULLMODE));
    EXPECT_EQ(4u, StageState(0, D3DTSS_COLOROP));
    font->Release();
    EXPECT_EQ(0, platform::testing::LiveObjects("ID3DXFont"));
}

TEST_F(HeadlessDeviceTest, FontKeepsOneTextureAndQuadAndFailsWhenItsQuadCannotBeLocked)
{
    LOGFONTA desc = {};
    desc.lfHeight = 20;
    ID3DXFont* font = nullptr;
    ASSERT_EQ(D3D_OK, D3DXCreateFontIndirectA(m_Device, &desc, &font));
    const int texturesBefore = platform::testing::LiveObjects("IDirect3DTexture9");
    const int buffersBefore = platform::testing::LiveObjects("IDirect3DVertexBuffer9");
    RECT r = {0, 0, 200, 50};
    EXPECT_GT(font->DrawTextA("one", -1, &r, DT_LEFT, 0xFFFFFFFF), 0);
    EXPECT_GT(font->DrawTextA("a longer line", -1, &r, DT_LEFT, 0xFFFFFFFF), 0);
    EXPECT_EQ(buffersBefore + 1, platform::testing::LiveObjects("IDirect3DVertexBuffer9"));
    EXPECT_EQ(texturesBefore + 1, platform::testing::LiveObjects("IDirect3DTexture9"));

    platform::testing::InjectOnce("IDirect3DVertexBuffer9::Lock", E_FAIL);
    EXPECT_EQ(0, font->DrawTextA("locked out", -1, &r, DT_LEFT, 0xFFFFFFFF));
    EXPECT_EQ(4u, platform::testing::DrawnPrimitives());
    font->Release();
    EXPECT_EQ(texturesBefore, platform::testing::LiveObjects("IDirect3DTexture9"));
    EXPECT_EQ(0, platform::testing::LiveObjects("IDirect3DVertexBuffer9"));
}
