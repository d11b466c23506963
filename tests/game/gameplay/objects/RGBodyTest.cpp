#include "game/gameplay/objects/RGBody.h"

#include "game/gameplay/objects/RGGeomAABB.h"
#include "game/gameplay/objects/RGTile.h"

#include "tests/engine/framework/drawables/DrawablesFixture.h"

#include <gtest/gtest.h>

#include <boost/pointer_cast.hpp>

#include <cmath>
#include <limits>

namespace {

using Runegarden::RGBody;
using Runegarden::RGTile;

std::string TileXml(const char* geomType)
{
    return std::string("<Tile ID=\"4\" GeomType=\"") + geomType +
           "\"><HalfSize X=\"0.5\" Y=\"0.25\" Z=\"0\"></HalfSize><Body ID=\"9\" Mass=\"2\">"
           "<Position X=\"1\" Y=\"2\" Z=\"0\"></Position><Velocity X=\"3\" Y=\"0\" Z=\"0\"></Velocity></Body></Tile>";
}

TEST(RGBodyTest, AMovableBodyIntegratesForceThenVelocityAndClearsTheForce)
{
    RGBody body;
    body.m_Mass = 2.0f;
    body.m_Velocity = {1.0f, 0.0f, 0.0f};
    body.m_Force = {4.0f, -2.0f, 0.0f};
    body.Update(0.5f);
    EXPECT_FLOAT_EQ(2.0f, body.m_Velocity.X); // 1 + 4 * 0.5 / 2
    EXPECT_FLOAT_EQ(-0.5f, body.m_Velocity.Y);
    EXPECT_FLOAT_EQ(1.0f, body.m_Position.X); // with the velocity just updated
    EXPECT_FLOAT_EQ(-0.25f, body.m_Position.Y);
    EXPECT_EQ(0.0f, body.m_Force.X);
    EXPECT_EQ(0.0f, body.m_Force.Y);
}

TEST(RGBodyTest, AnImmovableBodyKeepsPositionAndVelocityButLosesItsForce)
{
    for (float mass : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
        SCOPED_TRACE(mass);
        RGBody body;
        body.m_Mass = mass;
        body.m_Position = {1.0f, 2.0f, 0.0f};
        body.m_Velocity = {3.0f, 0.0f, 0.0f};
        body.m_Force = {5.0f, 5.0f, 0.0f};
        body.Update(0.1f);
        EXPECT_EQ(1.0f, body.m_Position.X);
        EXPECT_EQ(3.0f, body.m_Velocity.X);
        EXPECT_EQ(0.0f, body.m_Force.X);
    }
}

TEST(RGBodyTest, ATileReadsItsHalfSizeGeometryAndBody)
{
    drawables_test::XmlText in(TileXml("0"));
    RGTile tile;
    tile.Deserialize(in);
    EXPECT_EQ(4u, tile.m_ID);
    EXPECT_EQ(0.25f, tile.m_HalfSize.Y);
    EXPECT_EQ(9u, tile.m_Body->m_ID);
    EXPECT_EQ(2.0f, tile.m_Body->m_Mass);
    EXPECT_EQ(2.0f, tile.m_Body->m_Position.Y);
    EXPECT_EQ(3.0f, tile.m_Body->m_Velocity.X);
    tile.Update(0.0f);
    const auto box = boost::dynamic_pointer_cast<Runegarden::RGGeomAABB>(tile.m_Geometry);
    ASSERT_TRUE(box);
    EXPECT_EQ(2.0f, box->m_Max.X);
    EXPECT_EQ(2.5f, box->m_Max.Y);

    drawables_test::XmlText other(TileXml("1"));
    EXPECT_TRUE(tarn_test::StartsWith(tarn_test::ThrownText([&] { tile.Deserialize(other); }), "unknown RGGeom type"));
}

} // namespace
