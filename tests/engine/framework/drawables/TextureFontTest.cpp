#include "tests/engine/framework/drawables/DrawablesFixture.h"

#include "engine/framework/scene/SMathMatrix.h"
#include "engine/framework/drawables/STextureFont.h"
#include "engine/framework/drawables/SVertices.h"
#include "platform/testing_render.h"

using namespace drawables_test;
using TarnEngine::SScreenVertex;
using TarnEngine::STextureFont;

namespace {

class TextureFontTest : public DrawablesTest {
protected:
    boost::shared_ptr<STextureFont> NewFont(float charsW = 16, float charsH = 8, float indent = 1.0f)
    {
        boost::shared_ptr<STextureFont> font(new STextureFont(charsW, charsH, indent));
        font->Create(m_Viewport);
        font->m_X = 0.1f;
        font->m_Y = 0.5f;
        font->m_GlyphWidth = 0.1f;
        font->m_GlyphHeight = 0.05f;
        return font;
    }
    std::vector<SScreenVertex> Drawn(STextureFont& font)
    {
        font.DoRender(TarnEngine::IdentityMatrix());
        return ReadVertices<SScreenVertex>(font.GetVertexBuffer());
    }
};

} // namespace

TEST_F(TextureFontTest, EmptyTextDrawsNothingAndMakesNoBuffers)
{
    auto font = NewFont();
    platform::testing::ClearRenderCalls();
    font->DoRender(TarnEngine::IdentityMatrix());
    EXPECT_FALSE(font->GetVertexBuffer());
    EXPECT_TRUE(platform::testing::RenderCalls("DrawIndexedPrimitive").empty());
    EXPECT_EQ(0.0f, font->GetTextWidth());
}

TEST_F(TextureFontTest, AGlyphOutsideTheMapsUsesItsCodeAsCell)
{
    auto font = NewFont();
    font->SetText("A"); // code 65: column 1, row 4 of a 16-column grid
    auto v = Drawn(*font);
    ASSERT_EQ(4u, v.size());
    const float expected[][4] = {{80, 300, 1.0f / 16, 4.0f / 8}, {160, 300, 2.0f / 16, 4.0f / 8},
                                 {160, 330, 2.0f / 16, 5.0f / 8}, {80, 330, 1.0f / 16, 5.0f / 8}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(expected[i][0], v[i].x) << i;
        EXPECT_FLOAT_EQ(expected[i][1], v[i].y) << i;
        EXPECT_FLOAT_EQ(expected[i][2], v[i].u) << i;
        EXPECT_FLOAT_EQ(expected[i][3], v[i].v) << i;
    }
}

TEST_F(TextureFontTest, AdvancesCellsAndIndentPlaceTheQuads)
{
    struct Case {
        const char* what;
        float indent;
        float firstAdvance;
        std::vector<float> lefts, rights; // pixels
        float width;                      // glyph widths
    } cases[] = {
        {"edge to edge", 1.0f, 1.0f, {80, 160}, {160, 240}, 2.0f},
        {"narrow first glyph", 1.0f, 0.5f, {80, 120}, {120, 200}, 1.5f},
        {"indent two leaves a gap", 2.0f, 1.0f, {80, 240}, {160, 320}, 2.0f},
    };
    for (const Case& c : cases) {
        auto font = NewFont(16, 8, c.indent);
        font->m_Advances[uint32_t('x')] = c.firstAdvance;
        font->m_Cells[uint32_t('x')] = 17; // column 1, row 1
        font->SetText(std::wstring(L"xy"));
        auto v = Drawn(*font);
        ASSERT_EQ(8u, v.size()) << c.what;
        for (int i = 0; i < 2; ++i) {
            EXPECT_NEAR(c.lefts[i], v[4 * i].x, 1e-3) << c.what << " char " << i;
            EXPECT_NEAR(c.rights[i], v[4 * i + 1].x, 1e-3) << c.what << " char " << i;
        }
        EXPECT_FLOAT_EQ(c.width, font->GetTextWidth()) << c.what;
        // A narrow advance crops the cell to its left part.
        EXPECT_FLOAT_EQ(1.0f / 16, v[0].u) << c.what;
        EXPECT_FLOAT_EQ((1.0f + c.firstAdvance) / 16, v[1].u) << c.what;
        EXPECT_FLOAT_EQ(1.0f / 8, v[0].v) << c.what;
    }
}

TEST_F(TextureFontTest, NarrowTextBytesAreSignExtended)
{
    auto font = NewFont();
    font->SetText(std::string("a\xE9"));
    EXPECT_EQ((std::wstring{wchar_t(0x61), wchar_t(0xFFE9)}), font->GetText());
}

TEST_F(TextureFontTest, AGridBelowOneCellIsRefused)
{
    for (float w : {0.5f, std::nanf("")}) {
        EXPECT_EQ("font glyph grid is empty", ThrownText([&] { STextureFont font(w, 8, 1); })) << w;
        EXPECT_EQ("font glyph grid is empty", ThrownText([&] { STextureFont font(16, w, 1); })) << w;
    }
    EXPECT_EQ("", ThrownText([&] { STextureFont font(1, 1, 1); }));
}

TEST_F(TextureFontTest, AVeryLongTextDrawsWithoutIndexWrap)
{
    auto font = NewFont();
    font->m_GlyphWidth = 0.0001f;
    font->SetText(std::string(20000, 'a'));
    platform::testing::ClearRenderCalls();
    font->DoRender(TarnEngine::IdentityMatrix());
    EXPECT_EQ(4u * STextureFont::kMaxDrawnChars, font->GetVertexBuffer()->m_VertexCount);
    auto indices = ReadIndices(font->GetIndexBuffer());
    ASSERT_EQ(6u * STextureFont::kMaxDrawnChars, indices.size());
    EXPECT_EQ(65535u, indices.back());
    auto draws = platform::testing::RenderCalls("DrawIndexedPrimitive");
    ASSERT_EQ(1u, draws.size());
    EXPECT_EQ(int64_t(2 * STextureFont::kMaxDrawnChars), draws[0].args[5]);
}
