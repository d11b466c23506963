#include "game/gameplay/objects/RGBody.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

TEST(RGBodyTest, AMovableBodyIntegratesForceThenVelocityAndEveryBodyLosesItsForce)
{
    const struct {
        float mass, vx, vy, px, py;
    } cases[] = {
        {2.0f, 2.0f, -0.5f, 1.0f, -0.25f}, // v = 1 + 4 * 0.5 / 2, then x += v * 0.5 with the new v
        {0.0f, 1.0f, 0.0f, 0.0f, 0.0f},    // immovable: position and velocity stay
        {-1.0f, 1.0f, 0.0f, 0.0f, 0.0f},
        {std::numeric_limits<float>::quiet_NaN(), 1.0f, 0.0f, 0.0f, 0.0f},
    };
    for (const auto& c : cases) {
        Runegarden::RGBody body;
        body.m_Mass = c.mass;
        body.m_Velocity = {1.0f, 0.0f, 0.0f};
        body.m_Force = {4.0f, -2.0f, 0.0f};
        body.Update(0.5f);
        EXPECT_EQ(std::vector<float>({c.vx, c.vy, c.px, c.py, 0.0f, 0.0f}),
                  std::vector<float>({body.m_Velocity.X, body.m_Velocity.Y, body.m_Position.X, body.m_Position.Y,
                                      body.m_Force.X, body.m_Force.Y}))
            << c.mass;
    }
}

} // namespace
