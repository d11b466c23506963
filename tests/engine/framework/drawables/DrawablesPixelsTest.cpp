#include "tests/engine/framework/drawables/DrawablesFixture.h"

#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureLock.h"
#include "engine/framework/drawables/SMathMatrix.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/STextureFont.h"
#include "platform/testing_render.h"

using namespace drawables_test;
using namespace TarnEngine;
using platform::testing::Image;

namespace {

class DrawablesPixelsTest : public PixelsTest {
protected:
    Image Drawn(SMesh& mesh)
    {
        return Frame([&] {
            Device().DoSetmaterial(mesh.m_Material);
            mesh.DoRender(IdentityMatrix());
        });
    }
};

} // namespace

TEST_F(DrawablesPixelsTest, PixelsSpriteAtEachAlignmentLandsWhereItShould)
{
    struct Case {
        const char* what;
        bool withTransform;
        uint32_t alignment;
        SCore::SRect position;
        int x0, y0, x1, y1;
    } cases[] = {
        {"screen centre", false, SCA_CENTER, {0.5f, 0.5f, 0.25f, 0.25f}, 60, 45, 100, 75},
        {"screen left top", false, SCA_LEFT_TOP, {0.5f, 0.5f, 0.25f, 0.25f}, 80, 60, 120, 90},
        {"transformed centre", true, SCA_CENTER, {0.5f, 0.5f, 0.5f, 0.5f}, 40, 30, 120, 90},
        {"transformed left top", true, SCA_LEFT_TOP, {0.0f, 0.0f, 0.5f, 0.5f}, 0, 0, 80, 60},
    };
    for (const Case& c : cases) {
        Image image = Drawn(*Solid(0xFFFF0000, c.withTransform, c.alignment, c.position));
        ASSERT_EQ(unsigned(kWidth), image.width);
        // Red just inside each corner of [x0, x1) x [y0, y1), black just outside each edge.
        const int in[4][2] = {{c.x0 + 1, c.y0 + 1}, {c.x1 - 2, c.y0 + 1}, {c.x1 - 2, c.y1 - 2}, {c.x0 + 1, c.y1 - 2}};
        for (const auto& p : in) EXPECT_EQ(255, Red(image.Pixel(p[0], p[1]))) << c.what << " " << p[0] << "," << p[1];
        const int midX = (c.x0 + c.x1) / 2, midY = (c.y0 + c.y1) / 2;
        const int out[4][2] = {{c.x0 - 2, midY}, {c.x1 + 1, midY}, {midX, c.y0 - 2}, {midX, c.y1 + 1}};
        for (const auto& p : out) {
            if (p[0] < 0 || p[1] < 0 || p[0] >= kWidth || p[1] >= kHeight) continue;
            EXPECT_EQ(0, Red(image.Pixel(p[0], p[1]))) << c.what << " " << p[0] << "," << p[1];
        }
    }
}

TEST_F(DrawablesPixelsTest, PixelsTextureFontStringRendersItsGlyphs)
{
    // A 2 x 2 grid of 8-pixel cells: red, green, blue, white.
    boost::shared_ptr<SCore::STexture> glyphs = m_Viewport->CreateTexture("glyphs");
    glyphs->DoCreate(16, 16, 32);
    {
        SCore::STextureLock lock(glyphs);
        const uint32_t cells[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
        for (int y = 0; y < 16; ++y) {
            uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(lock.Locked().pBits) + y * lock.Locked().Pitch);
            for (int x = 0; x < 16; ++x) row[x] = cells[(y / 8) * 2 + x / 8];
        }
    }
    STextureFont font(2, 2, 1.0f);
    font.Create(m_Viewport);
    font.m_Material.m_Texture1 = glyphs;
    font.m_Material.m_ZWrite = 0;
    font.m_X = font.m_Y = 0.1f;
    font.m_GlyphWidth = font.m_GlyphHeight = 0.25f;
    font.m_Cells = {{'r', 0}, {'g', 1}, {'b', 2}};
    font.SetText("rgb");
    Image image = Drawn(font);
    // Glyph quads of 40 x 30 pixels from (16, 12), edge to edge; black below and after them.
    const struct {
        int x, y;
        uint32_t rgb;
    } expected[] = {{36, 27, 0xFF0000}, {76, 27, 0x00FF00}, {116, 27, 0x0000FF}, {36, 50, 0}, {140, 27, 0}};
    for (const auto& e : expected) EXPECT_EQ(e.rgb, image.Pixel(e.x, e.y) & 0xFFFFFF) << e.x << "," << e.y;
}
