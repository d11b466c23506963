// The world: its groups, which pairs reach the dispatcher and in what order, the
// collision response, gravity and updates, render order and the effect sprites.
#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/world/RGWorld.h"
#include "platform/testing_render.h"
#include "tests/game/gameplay/world/WorldFixture.h"

using namespace Runegarden;

namespace {

class RGWorldTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        m_Level.reset(new RGWorld);
    }
    void TearDown() override
    {
        m_Level.reset();
        WorldTest::TearDown();
    }
    boost::shared_ptr<RGPYGameObject> Add(const std::string& name, float x, float y, float w, float h,
                                          SCore::SVector3 velocity = SCore::SVector3())
    {
        boost::shared_ptr<RGPYGameObject> object = RGPYFactory::Create(name);
        object->SetPosition({x, y, 0.0f});
        object->SetHalfSize({w, h, 0.0f});
        object->SetVelocity(velocity);
        m_Level->AddGameObject(object);
        return object;
    }
    static SCore::SVector3 Velocity(const boost::shared_ptr<RGPYGameObject>& object)
    {
        return object->GetTile()->m_Body->m_Velocity;
    }

    boost::shared_ptr<RGWorld> m_Level;
};

} // namespace

TEST_F(RGWorldTest, OnlyEnabledPairsWithADynamicObjectReachTheDispatcherDynamicFirst)
{
    // Each static object against every dynamic one, then the dynamic pair once, lower index first.
    // A dispatcher that disables the second object of each pair changes nothing here: the first
    // object of a row counts as enabled as it was when its row began.
    for (int answer : {0, 2}) {
        m_Level.reset(new RGWorld);
        Add("Block", 0.0f, 0.0f, 0.1f, 0.5f);
        Add("Block", 0.1f, 0.0f, 0.1f, 0.5f); // overlaps the first: static pairs are never tested
        Add("Balychahl", 0.15f, 0.1f, 0.03f, 0.06f);
        Add("Chumbachukchul", 0.16f, 0.1f, 0.03f, 0.06f);
        Add("SnuPulnel", 0.17f, 0.1f, 0.03f, 0.06f)->Disable();
        Probe(answer);
        m_Level->CollisionDetection();
        EXPECT_EQ("Balychahl/Block/0.0500/-1/0;Chumbachukchul/Block/0.0400/-1/0;Balychahl/Block/0.1100/1/0;"
                  "Chumbachukchul/Block/0.1200/1/0;Balychahl/Chumbachukchul/0.0500/1/0",
                  ProbeCalls())
            << answer;
    }
}

TEST_F(RGWorldTest, ResolvedContactsSeparateMovableBodiesAndReflectTheirApproach)
{
    const struct {
        const char* second; // against the actor at the origin moving right at 0.5
        float x, vx;        // the second's x (so the depth) and velocity
        float expected[4];  // vx of both, then x of both, after the response
    } cases[] = {
        // A wall: the approach comes back at twice its speed, the actor is pushed out.
        {"Block", 0.05f, 0.0f, {-1.0f, 0.0f, -0.01f, 0.05f}},
        // Two bodies of mass 1: each takes the tripled impulse and moves by the whole depth.
        {"Chumbachukchul", 0.05f, -0.5f, {-1.0f, 1.0f, -0.01f, 0.06f}},
        // A depth below 0.0001: the dispatcher hears of it, but nothing moves.
        {"Block", 0.05995f, 0.0f, {0.5f, 0.0f, 0.0f, 0.05995f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.second) + " at " + std::to_string(c.x));
        m_Level.reset(new RGWorld);
        auto actor = Add("Balychahl", 0.0f, 0.0f, 0.03f, 0.5f, {0.5f, 0.0f, 0.0f});
        auto other = Add(c.second, c.x, 0.0f, 0.03f, 0.5f, {c.vx, 0.0f, 0.0f});
        Probe(1);
        m_Level->CollisionDetection();
        EXPECT_NE("", ProbeCalls());
        const float seen[4] = {Velocity(actor).X, Velocity(other).X, actor->GetPosition().X, other->GetPosition().X};
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(c.expected[i], seen[i], 1e-5f) << i;
    }
}

TEST_F(RGWorldTest, ARestingBodyLosesItsFallAndTwoImmovableOnesStay)
{
    auto actor = Add("Balychahl", 0.0f, 0.0f, 0.03f, 0.06f, {0.0f, 0.4f, 0.0f});
    Add("Ground", 0.0f, 0.1195f, 0.5f, 0.1f);
    auto portal = Add("Portal", 0.0f, 0.2f, 0.04f, 0.08f);
    Probe(1);
    m_Level->CollisionDetection();
    EXPECT_NEAR(0.0f, Velocity(actor).Y, 1e-6f);
    EXPECT_NEAR(-0.0005f, actor->GetPosition().Y, 1e-6f);
    EXPECT_FLOAT_EQ(0.2f, portal->GetPosition().Y); // portal (mass 0) on ground (mass 0)
}

TEST_F(RGWorldTest, AnUpdateGivesEnabledDynamicObjectsGravityAndSkipsDisabledOnes)
{
    auto falling = Add("Balychahl", 0.0f, 0.0f, 0.03f, 0.06f);
    auto held = Add("Chumbachukchul", 0.5f, 0.0f, 0.03f, 0.06f);
    held->Disable();
    m_Level->Update(0.01f);
    EXPECT_NEAR(0.0098f, Velocity(falling).Y, 1e-6f);
    EXPECT_NEAR(0.000098f, falling->GetPosition().Y, 1e-9f); // moved by the new velocity
    EXPECT_EQ(0.0f, Velocity(held).Y);
}

TEST_F(RGWorldTest, TheFirstRenderSortsByRenderOrderAndLaterObjectsStayLast)
{
    Add("Block", 0, 0, 0.1f, 0.1f);  // 11
    Add("Ground", 0, 0, 0.1f, 0.1f); // 10
    Add("Tree", 0, 0, 0.1f, 0.1f);   // 5
    ReadInto(*m_Level, "<World><GameObjects></GameObjects><BackGround></BackGround></World>");
    m_Level->Render();
    Add("Tree", 0, 0, 0.1f, 0.1f);
    m_Level->Render();
    std::vector<uint32_t> orders;
    for (const auto& object : m_Level->GetStaticObjects()) orders.push_back(object->GetRenderOrder());
    EXPECT_EQ((std::vector<uint32_t>{5, 10, 11, 5}), orders);
}

TEST_F(RGWorldTest, AnObjectIsDrawnWhileAnyPartOfItIsInTheWindow)
{
    const struct {
        float x, y; // of a block 0.2 square
        bool drawn;
    } cases[] = {{-0.15f, 0.5f, true}, {0.5f, -0.15f, true}, {0.95f, 0.95f, true},
                 {-0.25f, 0.5f, false}, {0.5f, -0.25f, false}, {1.05f, 0.5f, false}};
    for (const auto& c : cases) {
        m_Level.reset(new RGWorld);
        Add("Block", c.x, c.y, 0.1f, 0.1f);
        const unsigned before = platform::testing::DrawnPrimitives();
        m_Level->Render();
        EXPECT_EQ(c.drawn, platform::testing::DrawnPrimitives() > before) << c.x << ", " << c.y;
    }
}

TEST_F(RGWorldTest, ADeadActorGetsOneRisingAngelAndADeadMonsterItsSkeleton)
{
    auto actor = Add("Balychahl", 0.3f, 0.4f, 0.03f, 0.06f);
    auto monster = Add("Monster", 0.5f, 0.5f, 0.035f, 0.035f);
    for (auto& dead : {actor, monster}) {
        RGScriptLock lock;
        dead->Disable();
        dead->GetPythonObject()->SetPropertyValueBoolean(RGPythonHandle::FromString("islife"), false);
    }
    m_Level->Render();
    m_Level->Render();
    ASSERT_EQ(1u, m_Level->GetAngelItems().size());
    m_Level->Update(0.01f);
    EXPECT_FLOAT_EQ(0.4f - 0.0001f, m_Level->GetAngelItems()[0].m_Position.Y);
    const SCore::SRect& skeleton = m_Level->GetSkeletonSprite()->m_Position;
    EXPECT_FLOAT_EQ(0.57f - skeleton.Width, skeleton.X);
    EXPECT_FLOAT_EQ(0.57f - skeleton.Height, skeleton.Y);
}

TEST_F(RGWorldTest, PointersStandAtTheScreenEdgeTowardsOffScreenActorsAndPortals)
{
    Add("Portal", 0.5f, 1.6f, 0.04f, 0.08f);
    Add("Chumbachukchul", 0.5f, 0.5f, 0.03f, 0.06f); // on screen: no pointer
    Add("Balychahl", 1.5f, 0.5f, 0.03f, 0.06f);
    m_Level->Render();
    // The portal below the window; the actor, drawn last, right of it.
    EXPECT_FLOAT_EQ(0.5f - 0.04353f * 0.5f, m_Level->GetPortalPointerSprite()->m_Position.X);
    EXPECT_FLOAT_EQ(0.85f, m_Level->GetPortalPointerSprite()->m_Position.Y);
    EXPECT_FLOAT_EQ(0.92f, m_Level->GetPointerSprite()->m_Position.X);
    EXPECT_FLOAT_EQ(0.5f, m_Level->GetPointerSprite()->m_Position.Y);
    m_Level->m_Offset = {-1.0f, -1.0f, 0.0f};
    m_Level->Render();
    // In the window [1, 2] x [1, 2] the actor at (1.5, 0.5) lies above it.
    EXPECT_FLOAT_EQ(0.5f, m_Level->GetPointerSprite()->m_Position.X);
    EXPECT_FLOAT_EQ(0.05f, m_Level->GetPointerSprite()->m_Position.Y);
}

TEST_F(RGWorldTest, AWorldElementKeepsGroupMembersInTheirGroupOnly)
{
    ReadInto(*m_Level, "<World><GameObjects><GameObject Name=\"StoneGroup\">"
                       "<GameObject Name=\"Block\"><Position X=\"0\" Y=\"0.5\" Z=\"0\"></Position></GameObject>"
                       "<GameObject Name=\"Block\"><Position X=\"0.1\" Y=\"0.5\" Z=\"0\"></Position></GameObject>"
                       "</GameObject><GameObject Name=\"Block\"></GameObject></GameObjects><BackGround></BackGround></World>");
    EXPECT_EQ(2u, m_Level->GetStaticObjects().size());
    const auto& group = m_Level->GetStaticObjects()[0];
    EXPECT_EQ(2u, group->GetChildren().size());
    EXPECT_FLOAT_EQ(0.1f, group->GetHalfSize().X); // two blocks of 0.1 side by side
}
