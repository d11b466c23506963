#include "tests/engine/framework/drawables/DrawablesFixture.h"

#include "engine/core/render/SRenderDevice.h"
#include "engine/framework/drawables/SMathMatrix.h"
#include "engine/framework/drawables/SSprite.h"
#include "engine/framework/drawables/SVertices.h"

#include <cmath>

using namespace drawables_test;
using TarnEngine::SColorVertex;
using TarnEngine::SScreenVertex;
using TarnEngine::SSprite;

namespace {

struct Quad {
    float x[4], y[4];
};

template <typename V>
Quad Corners(const std::vector<V>& v)
{
    Quad q;
    for (int i = 0; i < 4; ++i) q.x[i] = v[i].x, q.y[i] = v[i].y;
    return q;
}

class SpriteTest : public DrawablesTest {
protected:
    boost::shared_ptr<SSprite> NewSprite(bool withTransform = false)
    {
        boost::shared_ptr<SSprite> sprite(new SSprite("s", withTransform));
        sprite->Create(m_Viewport);
        sprite->m_Position = {0.5f, 0.5f, 0.2f, 0.1f};
        return sprite;
    }
    Quad Drawn(SSprite& sprite)
    {
        sprite.DoRender(TarnEngine::IdentityMatrix());
        if (sprite.IsWithTransform()) return Corners(ReadVertices<SColorVertex>(sprite.GetVertexBuffer()));
        return Corners(ReadVertices<SScreenVertex>(sprite.GetVertexBuffer()));
    }
};

std::string SpriteXml(const char* withTransform)
{
    return std::string("<Sprite ColorLU=\"4294967295\" ColorRU=\"16777215\" ColorLD=\"4278190080\" ColorRD=\"1\" "
                       "Angle=\"0.5\" CoordAligment=\"1\" WithTransform=\"") +
           withTransform +
           "\" FlipHorizontal=\"1\" FlipVertical=\"0\" XScaleFactor=\"2\" YScaleFactor=\"0.5\">"
           "<Position X=\"0.1\" Y=\"0.2\" Width=\"0.3\" Height=\"0.4\"></Position>"
           "<TexCoords X=\"0\" Y=\"0\" Width=\"2\" Height=\"1\"></TexCoords><Mesh Name=\"bg_hills\">"
           "<Material CullMode=\"1\" FillMode=\"3\" AlphaBlend=\"1\" SrcBlend=\"5\" DstBlend=\"6\" ZWrite=\"0\" "
           "Lighting=\"0\" IsFogEnable=\"0\"><Textures></Textures></Material></Mesh></Sprite>";
}

void ExpectQuad(const Quad& q, std::vector<float> x, std::vector<float> y, const std::string& what)
{
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(x[i], q.x[i], 1e-3) << what << " x of vertex " << i;
        EXPECT_NEAR(y[i], q.y[i], 1e-3) << what << " y of vertex " << i;
    }
}

} // namespace

TEST_F(SpriteTest, CornersForEachKindAlignmentScaleAndFlipAndTransformsRestored)
{
    struct Case {
        const char* what;
        bool withTransform;
        uint32_t alignment;
        float angle, xScale;
        bool flipH, flipV;
        std::vector<float> x, y;
    } cases[] = {
        {"centre", false, 0, 0.0f, 1.0f, false, false, {320, 480, 480, 320}, {270, 270, 330, 330}},
        {"left top scaled", false, 1, 0.0f, 2.0f, false, false, {400, 720, 720, 400}, {300, 300, 360, 360}},
        {"unknown alignment is the centre", false, 7, 0.0f, 1.0f, false, false, {320, 480, 480, 320}, {270, 270, 330, 330}},
        {"flipped horizontally", false, 0, 0.0f, 1.0f, true, false, {480, 320, 320, 480}, {270, 270, 330, 330}},
        {"flipped vertically", false, 0, 0.0f, 1.0f, false, true, {320, 480, 480, 320}, {330, 330, 270, 270}},
        // A quarter turn (clockwise on screen) of a 0.2 x 0.1 quad about its centre.
        {"turned left top is centred", false, 1, 1.5707964f, 1.0f, false, false, {440, 440, 360, 360}, {240, 360, 360, 240}},
        {"turned a twelfth", false, 0, 0.5235988f, 1.0f, false, false, {350.718f, 489.282f, 449.282f, 310.718f},
         {244.019f, 304.019f, 355.981f, 295.981f}},
        // Transformed sprites draw unit quads.
        {"transformed centre", true, 0, 0.0f, 1.0f, false, false, {-2, 0, 0, -2}, {2, 2, 0, 0}},
        {"transformed left top", true, 1, 0.0f, 1.0f, false, false, {-1, 1, 1, -1}, {1, 1, -1, -1}},
        {"transformed turned left top is centred", true, 1, 1.5707964f, 1.0f, false, false, {0, 0, -2, -2}, {2, 0, 0, 2}},
        {"transformed turned a twelfth", true, 0, 0.5235988f, 1.0f, false, false, {-1.366f, 0.366f, -0.634f, -2.366f},
         {2.366f, 1.366f, -0.366f, 0.634f}},
    };
    for (const Case& c : cases) {
        auto sprite = NewSprite(c.withTransform);
        sprite->m_CoordAligment = c.alignment;
        sprite->m_Angle = c.angle;
        sprite->m_XScaleFactor = c.xScale;
        sprite->m_FlipHorizontal = c.flipH;
        sprite->m_FlipVertical = c.flipV;
        SCore::SMatrix before = Device().DoGetTransform(SCore::STT_VIEW);
        ExpectQuad(Drawn(*sprite), c.x, c.y, c.what);
        SCore::SMatrix after = Device().DoGetTransform(SCore::STT_VIEW);
        EXPECT_EQ(0, std::memcmp(&before, &after, sizeof before)) << c.what;
        EXPECT_EQ(0u, Device().TransformStackSize()) << c.what;
    }
}

TEST_F(SpriteTest, CornersCarryTheirColoursAndTextureCoordinates)
{
    auto sprite = NewSprite();
    sprite->m_ColorLU = 0x11000001;
    sprite->m_ColorRU = 0x22000002;
    sprite->m_ColorRD = 0x33000003;
    sprite->m_ColorLD = 0x44000004;
    sprite->m_TexCoords = {0.25f, 0.5f, 0.75f, 1.0f};
    sprite->m_FlipHorizontal = true; // moves positions only
    sprite->DoRender(TarnEngine::IdentityMatrix());
    auto v = ReadVertices<SScreenVertex>(sprite->GetVertexBuffer());
    const uint32_t colours[4] = {0x11000001, 0x22000002, 0x33000003, 0x44000004};
    const float u[4] = {0.25f, 0.75f, 0.75f, 0.25f}, tv[4] = {0.5f, 0.5f, 1.0f, 1.0f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(colours[i], v[i].colour) << i;
        EXPECT_EQ(u[i], v[i].u) << i;
        EXPECT_EQ(tv[i], v[i].v) << i;
    }
    EXPECT_EQ(1.0f, v[0].rhw);
    EXPECT_EQ((std::vector<uint16_t>{0, 1, 3, 1, 2, 3}), ReadIndices(sprite->GetIndexBuffer()));
}

TEST_F(SpriteTest, ReadsTheContentFormAndWritesItBack)
{
    auto sprite = NewSprite();
    XmlText in(SpriteXml("0"));
    ASSERT_EQ("", ThrownText([&] { sprite->DoDeserialize(in); }));
    auto back = WriteAndReopen(*sprite);
    auto copy = NewSprite(true);
    ASSERT_EQ("", ThrownText([&] { copy->DoDeserialize(*back, 0); }));
    for (SSprite* s : {sprite.get(), copy.get()}) {
        EXPECT_EQ("bg_hills", s->m_Name);
        // Each corner keeps its own colour.
        EXPECT_EQ(0xFFFFFFFFu, s->m_ColorLU);
        EXPECT_EQ(0x00FFFFFFu, s->m_ColorRU);
        EXPECT_EQ(0xFF000000u, s->m_ColorLD);
        EXPECT_EQ(0x00000001u, s->m_ColorRD);
        EXPECT_EQ(0.5f, s->m_Angle);
        EXPECT_FALSE(s->IsWithTransform());
        EXPECT_EQ(0.4f, s->m_Position.Height);
        EXPECT_EQ(2.0f, s->m_TexCoords.Width);
        EXPECT_TRUE(s->m_FlipHorizontal);
        EXPECT_EQ(0.5f, s->m_YScaleFactor);
    }
}

TEST_F(SpriteTest, ReadingAnotherKindIntoADrawnSpriteRebuildsItsBuffers)
{
    auto sprite = NewSprite(false);
    Drawn(*sprite);
    ASSERT_EQ(324u, sprite->GetVertexBuffer()->DoGetFvf());
    XmlText in(SpriteXml("1"));
    sprite->DoDeserialize(in);
    EXPECT_TRUE(sprite->IsWithTransform());
    Drawn(*sprite);
    EXPECT_EQ(322u, sprite->GetVertexBuffer()->DoGetFvf());
    EXPECT_EQ(24u, sprite->GetVertexBuffer()->m_VertexSize);
}
