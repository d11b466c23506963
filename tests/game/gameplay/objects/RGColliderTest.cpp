#include "game/gameplay/objects/RGCollider.h"

#include "game/gameplay/objects/RGTile.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Runegarden;

namespace {

struct Box {
    float x, y, w, h; // minimum corner and half extents
    float z = 0.0f;   // from z to z + 1
};

boost::shared_ptr<RGTile> TileOf(const Box& box)
{
    boost::shared_ptr<RGTile> tile(new RGTile);
    tile->m_Body->m_Position = {box.x, box.y, box.z};
    tile->m_HalfSize = {box.w, box.h, 0.5f};
    tile->Update(0.0f);
    return tile;
}

TEST(RGColliderTest, ContactNormalDepthAndPointOfBoxPairs)
{
    struct Case {
        const char* name;
        Box first, second;
        float nx, ny, depth, px, py;
    } const cases[] = {
        // The point is the centre offset shortened on each axis by half the overlap.
        {"overlap on x", {0, 0, 1, 1}, {1.5f, 0, 1, 1}, 1, 0, 0.5f, 1.25f, 1.0f},
        {"overlap on x, second to the left", {1.5f, 0, 1, 1}, {0, 0, 1, 1}, -1, 0, 0.5f, -1.25f, 1.0f},
        {"overlap on y, second below", {0, 0, 1, 1}, {0.5f, 1.75f, 1, 1}, 0, 1, 0.25f, -0.25f, 1.625f},
        {"overlap on y, second above", {0, 1.75f, 1, 1}, {0, 0, 1, 1}, 0, -1, 0.25f, 1.0f, -1.625f},
        {"equal overlaps tie to x", {0, 0, 1, 1}, {1.5f, 1.5f, 1, 1}, 1, 0, 0.5f, 1.25f, 1.25f},
        {"same centre: x normal points +x", {0, 0, 1, 1}, {0, 0, 1, 1}, 1, 0, 2.0f, 1.0f, 1.0f},
        // Boxes apart leave the contact as it was.
        {"apart on x", {0, 0, 1, 1}, {2.5f, 0, 1, 1}, 0, 0, -1.0f, 0, 0},
        {"apart on z only", {0, 0, 1, 1}, {0, 0, 1, 1, 1.5f}, 0, 0, -1.0f, 0, 0},
    };
    RGCollider collider;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boost::shared_ptr<RGTile> first = TileOf(c.first), second = TileOf(c.second);
        RGContact contact;
        contact.m_Depth = -1.0f;
        collider.Collide(first, second, contact);
        EXPECT_EQ(std::vector<float>({c.nx, c.ny, 0.0f, c.depth, c.px, c.py}),
                  std::vector<float>({contact.m_Normal.X, contact.m_Normal.Y, contact.m_Normal.Z, contact.m_Depth,
                                      contact.m_Point.X, contact.m_Point.Y}));
    }
}

} // namespace
