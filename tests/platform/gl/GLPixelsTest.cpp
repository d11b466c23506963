// Pixel tests of the OpenGL backend, each on an X server of its own (Xvfb); without one they fail.

#include "platform/d3d9.h"
#include "platform/d3dx9.h"
#include "platform/testing.h"
#include "platform/testing_render.h"
#include "tests/platform/d3d9/DeviceFixture.h"
#include "tests/support/OwnDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

using platform::testing::Image;

namespace {

struct ColourVertex {
    float x, y, z;
    D3DCOLOR colour;
    float u, v;
};
const DWORD kColourFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

int Channel(uint32_t c, int shift) { return int((c >> shift) & 0xFF); }

} // namespace

class GLPixelsTest : public DeviceTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tarn_test::OwnDisplay());
        Open(platform::testing::RenderMode::OpenGL, 160, 120);
        platform::testing::CaptureOnPresent(true);
        m_Device->SetRenderState(D3DRS_LIGHTING, FALSE);
        m_Device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        m_Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
        m_Device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    }
    template <typename V>
    void Draw(DWORD fvf, const V* vertices, UINT count)
    {
        Stream(fvf, vertices, count);
        ASSERT_EQ(D3D_OK, m_Device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, count - 2));
    }
    // A screen quad covering pixels [x0, x1) x [y0, y1).
    void ScreenQuad(float x0, float y0, float x1, float y1, D3DCOLOR colour, float z = 0.0f)
    {
        ScreenVertex v[4] = {{x0 - 0.5f, y0 - 0.5f, z, 1, colour, 0, 0}, {x1 - 0.5f, y0 - 0.5f, z, 1, colour, 1, 0},
                             {x0 - 0.5f, y1 - 0.5f, z, 1, colour, 0, 1}, {x1 - 0.5f, y1 - 0.5f, z, 1, colour, 1, 1}};
        Draw(kScreenFvf, v, 4);
    }
    Image Present()
    {
        EXPECT_EQ(D3D_OK, m_Device->Present(nullptr, nullptr, nullptr, nullptr));
        return platform::testing::LastPresented();
    }
};

TEST_F(GLPixelsTest, PretransformedTexturedBlendedQuadCoversExactlyItsPixels)
{
    // 2 x 2 texture: red, green / blue, half-transparent white.
    const uint32_t texels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FFFFFF};
    m_Device->SetTexture(0, Texture(2, 2, texels));
    m_Device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    m_Device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    m_Device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    m_Device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    m_Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
    ScreenQuad(10, 20, 30, 40, 0xFFFFFFFF);
    Image image = Present();
    ASSERT_EQ(160u, image.width);
    EXPECT_EQ(0xFFFF0000u, image.Pixel(10, 20));
    EXPECT_EQ(0xFF00FF00u, image.Pixel(29, 20));
    EXPECT_EQ(0xFF0000FFu, image.Pixel(10, 39));
    uint32_t blended = image.Pixel(29, 39); // half white over black
    EXPECT_NEAR(128, Channel(blended, 16), 2);
    EXPECT_NEAR(128, Channel(blended, 0), 2);
    EXPECT_EQ(0xFF000000u, image.Pixel(9, 20));
    EXPECT_EQ(0xFF000000u, image.Pixel(30, 20));
    EXPECT_EQ(0xFF000000u, image.Pixel(10, 19));
    EXPECT_EQ(0xFF000000u, image.Pixel(10, 40));
}

// X8R8G8B8 keeps no alpha: a cleared alpha of 0 reads back as 0xFF and blends as 1.
TEST_F(GLPixelsTest, BackBufferHasNoAlphaChannel)
{
    m_Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00000000, 0.0f, 0);
    m_Device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    m_Device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_DESTALPHA);
    m_Device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    ScreenQuad(10, 10, 20, 20, 0x00FFFFFF);
    Image image = Present();
    EXPECT_EQ(0xFF000000u, image.Pixel(5, 5));
    EXPECT_EQ(0xFFFFFFFFu, image.Pixel(15, 15));
}

// Every blend factor over a coloured destination: each source factor with destination ZERO, each
// destination factor with source ZERO, and the two that set both, one small quad apiece.
TEST_F(GLPixelsTest, EachBlendFactorWeighsSourceAndDestinationAsDirect3DDoes)
{
    const D3DCOLOR source = 0x40C02080, destination = 0xFF4080E0; // source alpha a quarter
    m_Device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    m_Device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2);
    m_Device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    m_Device->Clear(0, nullptr, D3DCLEAR_TARGET, destination, 0.0f, 0);
    // The factor for one channel (shift) of a colour; the back buffer's alpha reads as 1.
    const auto factor = [&](DWORD blend, int shift) {
        const double s = Channel(source, shift) / 255.0, d = Channel(destination, shift) / 255.0;
        const double a = Channel(source, 24) / 255.0;
        switch (blend) {
        case D3DBLEND_ZERO: return 0.0;
        case D3DBLEND_ONE: return 1.0;
        case D3DBLEND_SRCCOLOR: return s;
        case D3DBLEND_INVSRCCOLOR: return 1.0 - s;
        case D3DBLEND_SRCALPHA: return a;
        case D3DBLEND_INVSRCALPHA: return 1.0 - a;
        case D3DBLEND_DESTALPHA: return 1.0;
        case D3DBLEND_INVDESTALPHA: return 0.0;
        case D3DBLEND_DESTCOLOR: return d;
        case D3DBLEND_INVDESTCOLOR: return 1.0 - d;
        default: return 0.0; // SRCALPHASAT: min(a, 1 - destination alpha)
        }
    };
    struct Case {
        DWORD src, dst;
        double srcWeight[3], dstWeight[3]; // blue, green, red
    };
    std::vector<Case> cases;
    for (DWORD f = D3DBLEND_ZERO; f <= D3DBLEND_SRCALPHASAT; ++f) {
        cases.push_back({f, D3DBLEND_ZERO, {factor(f, 0), factor(f, 8), factor(f, 16)}, {0, 0, 0}});
        cases.push_back({D3DBLEND_ZERO, f, {0, 0, 0}, {factor(f, 0), factor(f, 8), factor(f, 16)}});
    }
    // Both-alpha factors replace the destination factor.
    cases.push_back({D3DBLEND_BOTHSRCALPHA, D3DBLEND_ONE, {0.25, 0.25, 0.25}, {0.75, 0.75, 0.75}});
    cases.push_back({D3DBLEND_BOTHINVSRCALPHA, D3DBLEND_ONE, {0.75, 0.75, 0.75}, {0.25, 0.25, 0.25}});
    for (size_t i = 0; i < cases.size(); ++i) {
        m_Device->SetRenderState(D3DRS_SRCBLEND, cases[i].src);
        m_Device->SetRenderState(D3DRS_DESTBLEND, cases[i].dst);
        const float x = float(8 * (i % 20)), y = float(8 * (i / 20));
        ScreenQuad(x, y, x + 8, y + 8, source);
    }
    const Image image = Present();
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "SRCBLEND " << cases[i].src << " DESTBLEND " << cases[i].dst);
        const uint32_t pixel = image.Pixel(UINT(8 * (i % 20) + 4), UINT(8 * (i / 20) + 4));
        for (int c = 0; c < 3; ++c) {
            const int shift = 8 * c;
            const double expected = Channel(source, shift) * cases[i].srcWeight[c] +
                                    Channel(destination, shift) * cases[i].dstWeight[c];
            EXPECT_NEAR(std::min(expected, 255.0), Channel(pixel, shift), 3.0) << "shift " << shift;
        }
    }
}

TEST_F(GLPixelsTest, TransformedQuadFillsTheViewportAndClearStaysInside)
{
    D3DVIEWPORT9 vp = {40, 30, 100, 50, 0.0f, 1.0f};
    m_Device->SetViewport(&vp);
    m_Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 0.0f, 0);
    Image cleared = Present();
    EXPECT_EQ(0xFF0000FFu, cleared.Pixel(40, 30));
    EXPECT_EQ(0xFF000000u, cleared.Pixel(39, 30));
    EXPECT_EQ(0xFF000000u, cleared.Pixel(140, 79));

    ColourVertex v[4] = {{-1, 1, 0.5f, 0xFF00FF00, 0, 0}, {1, 1, 0.5f, 0xFF00FF00, 1, 0},
                         {-1, -1, 0.5f, 0xFF00FF00, 0, 1}, {1, -1, 0.5f, 0xFF00FF00, 1, 1}};
    Draw(kColourFvf, v, 4);
    Image image = Present();
    EXPECT_EQ(0xFF00FF00u, image.Pixel(40, 30));
    EXPECT_EQ(0xFF00FF00u, image.Pixel(139, 79));
    EXPECT_EQ(0xFF000000u, image.Pixel(39, 30));
    EXPECT_EQ(0xFF000000u, image.Pixel(140, 50));
    EXPECT_EQ(0xFF000000u, image.Pixel(60, 80));
}

TEST_F(GLPixelsTest, FillAndFogStatesFollowEachDrawOfAFrame)
{
    auto bits = [](float f) {
        DWORD b;
        std::memcpy(&b, &f, 4);
        return b;
    };
    // Each step changes some states, then draws a red quad at distance 0.5 over its own column of
    // one frame; a pixel inside the quad's first triangle, away from its edges, is read (fog is
    // mixed per vertex, hence the tolerance).
    const struct {
        const char* what;
        std::vector<std::pair<D3DRENDERSTATETYPE, DWORD>> states;
        uint32_t pixel;
    } steps[] = {
        {"wireframe", {{D3DRS_FILLMODE, D3DFILL_WIREFRAME}}, 0xFF000000},
        {"solid again", {{D3DRS_FILLMODE, D3DFILL_SOLID}}, 0xFFFF0000},
        {"linear fog half way to its end",
         {{D3DRS_FOGENABLE, TRUE}, {D3DRS_FOGCOLOR, 0xFF00FF00}, {D3DRS_FOGVERTEXMODE, D3DFOG_LINEAR},
          {D3DRS_FOGSTART, bits(0.0f)}, {D3DRS_FOGEND, bits(1.0f)}, {D3DRS_FOGDENSITY, bits(0.0f)}},
         0xFF808000},
        {"linear fog ending before the quad", {{D3DRS_FOGEND, bits(0.25f)}}, 0xFF00FF00},
        {"exponential fog of density 0", {{D3DRS_FOGVERTEXMODE, D3DFOG_EXP}}, 0xFFFF0000},
        {"per-pixel linear fog", {{D3DRS_FOGTABLEMODE, D3DFOG_LINEAR}}, 0xFF00FF00},
        {"fog off", {{D3DRS_FOGENABLE, FALSE}}, 0xFFFF0000},
    };
    const int columns = int(sizeof steps / sizeof steps[0]);
    for (int i = 0; i < columns; ++i) {
        for (const auto& state : steps[i].states) m_Device->SetRenderState(state.first, state.second);
        const float left = -1.0f + 2.0f * i / columns, right = -1.0f + 2.0f * (i + 1) / columns;
        ColourVertex v[4] = {{left, 1, 0.5f, 0xFFFF0000, 0, 0}, {right, 1, 0.5f, 0xFFFF0000, 1, 0},
                             {left, -1, 0.5f, 0xFFFF0000, 0, 1}, {right, -1, 0.5f, 0xFFFF0000, 1, 1}};
        Draw(kColourFvf, v, 4);
    }
    const Image image = Present();
    for (int i = 0; i < columns; ++i) {
        SCOPED_TRACE(steps[i].what);
        const uint32_t pixel = image.Pixel(uint32_t(160 * i / columns + 6), 10);
        for (int shift : {0, 8, 16}) EXPECT_NEAR(Channel(steps[i].pixel, shift), Channel(pixel, shift), 16) << shift;
    }
}

TEST_F(GLPixelsTest, TextureTransformSelectsTheAnimationCell)
{
    // Two cells side by side: red, green.
    const uint32_t texels[2] = {0xFFFF0000, 0xFF00FF00};
    m_Device->SetTexture(0, Texture(2, 1, texels));
    m_Device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    D3DMATRIX cell = {};
    cell._11 = 0.5f;
    cell._22 = 1.0f;
    cell._44 = 1.0f;
    m_Device->SetTransform(D3DTS_TEXTURE0, &cell);
    ScreenQuad(0, 0, 20, 20, 0xFFFFFFFF);
    EXPECT_EQ(0xFFFF0000u, Present().Pixel(10, 10));
    cell._31 = 0.5f; // the next cell
    m_Device->SetTransform(D3DTS_TEXTURE0, &cell);
    ScreenQuad(0, 0, 20, 20, 0xFFFFFFFF);
    EXPECT_EQ(0xFF00FF00u, Present().Pixel(10, 10));
}

TEST_F(GLPixelsTest, FontTextIsVisibleInsideItsRectangle)
{
    LOGFONTA desc = {};
    desc.lfHeight = 32;
    desc.lfWeight = 700;
    ID3DXFont* font = nullptr;
    ASSERT_EQ(D3D_OK, D3DXCreateFontIndirectA(m_Device, &desc, &font));
    RECT r = {10, 10, 150, 60};
    font->DrawTextA("Hi", -1, &r, DT_LEFT, 0xFFFFFFFF);
    font->Release();
    Image image = Present();
    int lit = 0, outside = 0;
    for (UINT y = 0; y < image.height; ++y)
        for (UINT x = 0; x < image.width; ++x) {
            bool on = Channel(image.Pixel(x, y), 16) > 128;
            bool inside = x >= 10 && x < 150 && y >= 10 && y < 60;
            (inside ? lit : outside) += on ? 1 : 0;
        }
    EXPECT_GT(lit, 50);
    EXPECT_EQ(0, outside);
}
