#include "tests/engine/framework/drawables/DrawablesFixture.h"

#include "engine/framework/drawables/SMathMatrix.h"
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
    EXPECT_EQ(0u, platform::testing::DrawnPrimitives());
    EXPECT_EQ(0.0f, font->GetTextWidth());
}

TEST_F(TextureFontTest, AdvancesCellsAndIndentPlaceTheQuads)
{
    struct Case {
        const char* what;
        float indent;
        float firstAdvance;
        bool mapped;                      // 'x' mapped to cell 17, else its code's cell
        std::vector<float> lefts, rights; // pixels
        float width;                      // glyph widths
        float u, v;                       // the first glyph's cell
    } cases[] = {
        {"edge to edge", 1.0f, 1.0f, true, {80, 160}, {160, 240}, 2.0f, 1.0f / 16, 1.0f / 8},
        {"narrow first glyph", 1.0f, 0.5f, true, {80, 120}, {120, 200}, 1.5f, 1.0f / 16, 1.0f / 8},
        {"indent two leaves a gap", 2.0f, 1.0f, true, {80, 240}, {160, 320}, 2.0f, 1.0f / 16, 1.0f / 8},
        // Code 120: column 8, row 7 of a 16-column grid.
        {"a glyph outside the maps uses its code as cell", 1.0f, 1.0f, false, {80, 160}, {160, 240}, 2.0f, 8.0f / 16,
         7.0f / 8},
    };
    for (const Case& c : cases) {
        auto font = NewFont(16, 8, c.indent);
        font->m_Advances[uint32_t('x')] = c.firstAdvance;
        if (c.mapped) font->m_Cells[uint32_t('x')] = 17; // column 1, row 1
        font->SetText(std::wstring(L"xy"));
        auto v = Drawn(*font);
        ASSERT_EQ(8u, v.size()) << c.what;
        // Each glyph's two triangles, 0-1-3 and 1-2-3, cover its whole quad.
        EXPECT_EQ((std::vector<uint16_t>{0, 1, 3, 1, 2, 3, 4, 5, 7, 5, 6, 7}), ReadIndices(font->GetIndexBuffer()));
        for (int i = 0; i < 2; ++i) {
            EXPECT_NEAR(c.lefts[i], v[4 * i].x, 1e-3) << c.what << " char " << i;
            EXPECT_NEAR(c.rights[i], v[4 * i + 1].x, 1e-3) << c.what << " char " << i;
            EXPECT_FLOAT_EQ(300, v[4 * i].y) << c.what << " char " << i;
            EXPECT_FLOAT_EQ(330, v[4 * i + 2].y) << c.what << " char " << i;
        }
        EXPECT_FLOAT_EQ(c.width, font->GetTextWidth()) << c.what;
        // A narrow advance crops the cell to its left part.
        EXPECT_FLOAT_EQ(c.u, v[0].u) << c.what;
        EXPECT_FLOAT_EQ(c.u + c.firstAdvance / 16, v[1].u) << c.what;
        EXPECT_FLOAT_EQ(c.v, v[0].v) << c.what;
        EXPECT_FLOAT_EQ(c.v + 1.0f / 8, v[3].v) << c.what;
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
    EXPECT_EQ(2u * STextureFont::kMaxDrawnChars, platform::testing::DrawnPrimitives());
}
