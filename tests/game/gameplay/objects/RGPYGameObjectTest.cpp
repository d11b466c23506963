#include "game/gameplay/objects/RGPYGameObject.h"

#include "game/gameplay/scripting/RGPythonFunctor.h"
#include "game/gameplay/scripting/RGPythonInterpreter.h"
#include "game/gameplay/scripting/RGPythonList.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "tests/game/gameplay/objects/GameObjectFixture.h"

#include "engine/core/render/STextureAnimator.h"
#include "engine/core/serialization/SXMLDeserializator.h"

#include <boost/lexical_cast.hpp>

#include <gtest/gtest.h>

namespace {

using Runegarden::RGPYFactory;
using Runegarden::RGPYGameObject;
using Runegarden::RGPythonHandle;
using Runegarden::RGPythonObject;
using tarn_test::StartsWith;
using tarn_test::ThrownText;

class ScriptedObjectTest : public GameObjectTest {
protected:
    // A game object bound to the probe script, with two sprites in its "idle" state.
    boost::shared_ptr<RGPYGameObject> Probe(unsigned sprites = 2)
    {
        Runegarden::StartPythonInterpreter(std::string(TARN_SOURCE_DIR) + "/tests/game/gameplay/objects/scripts");
        boost::shared_ptr<Runegarden::RGPythonInterpreter> module(new Runegarden::RGPythonInterpreter);
        module->LoadModule("object_probe");
        Runegarden::RGPythonFunctor create(module);
        create.SetFuncName("create_probe", 1);
        create.SetArgumentValueString("probe");
        boost::shared_ptr<RGPYGameObject> object(new RGPYGameObject);
        object->SetPythonObject(
            boost::shared_ptr<RGPythonObject>(new RGPythonObject(module, "ProbeObject", create.Exec().GetHandle())));
        object->SetName("probe");
        for (unsigned i = 0; i < sprites; ++i)
            object->AddStateSprite("idle", Runegarden::RGSpriteCreator::CreateTexturedSprite("OBJ_GROUND", true));
        return object;
    }
    static std::string Property(const boost::shared_ptr<RGPYGameObject>& object, const std::string& name)
    {
        return object->GetPythonObject()->GetPropertyValue(RGPythonHandle::FromString(name)).GetHandle().Text();
    }
    size_t Draws() { return platform::testing::RenderCalls("DrawIndexedPrimitive").size(); }
};

TEST_F(ScriptedObjectTest, ADefinitionIsPushedIntoTheScript)
{
    boost::shared_ptr<RGPYGameObject> actor = RGPYFactory::Create("Balychahl");
    EXPECT_EQ("Balychahl", Property(actor, "name"));
    EXPECT_EQ("True", Property(actor, "is_enable"));
    EXPECT_EQ("True", Property(actor, "gravity_action"));
    EXPECT_NEAR(0.03, boost::lexical_cast<double>(Property(actor, "w")), 1e-7);
    EXPECT_EQ("120.0", Property(actor, "time_limit"));
    EXPECT_EQ(1u, actor->GetGameObjectType());
    EXPECT_TRUE(actor->IsActor() && actor->IsLife() && !actor->IsStatic());
}

TEST_F(ScriptedObjectTest, AnUpdateRunsTheScriptThenStepsTheBody)
{
    boost::shared_ptr<RGPYGameObject> actor = RGPYFactory::Create("Balychahl");
    actor->SetPosition({0.25f, 0.5f, 0.0f});
    actor->Update(0.01f, *m_World);
    // The walker's script sets its speed; the body moves by it and pushes the result back.
    EXPECT_FLOAT_EQ(0.06f, actor->GetTile()->m_Body->m_Velocity.X);
    EXPECT_FLOAT_EQ(0.25f + 0.0006f, actor->GetPosition().X);
    EXPECT_NEAR(0.2506, boost::lexical_cast<double>(Property(actor, "x")), 1e-6);
}

TEST_F(ScriptedObjectTest, AnObjectThatMayNotUpdateKeepsItsPositionUnderAForce)
{
    boost::shared_ptr<RGPYGameObject> probe = Probe();
    probe->SetMass(1.0f);
    probe->SetAttributeValue("allowed", "0", "Boolean");
    probe->SetAttributeValue("frc_x", "100", "Double");
    probe->RefreshCache();
    probe->Update(0.1f, *m_World);
    EXPECT_EQ(0.0f, probe->GetPosition().X);
    EXPECT_EQ("[]", Property(probe, "times"));

    probe->SetAttributeValue("allowed", "1", "Boolean");
    probe->Update(0.1f, *m_World);
    EXPECT_FLOAT_EQ(1.0f, probe->GetPosition().X) << "100 * 0.1 * 0.1 from the force read before";
}

TEST_F(ScriptedObjectTest, ScriptsSeeTimesCountedFromProcessStart)
{
    boost::shared_ptr<RGPYGameObject> probe = Probe();
    probe->UpdateProcess(0.0f, *m_World);
    const std::string times = Property(probe, "times");
    const long now = boost::lexical_cast<long>(times.substr(1, times.size() - 2));
    EXPECT_GE(now, 0);
    EXPECT_LT(now, 10000);
}

TEST_F(ScriptedObjectTest, TheStateSpritesFollowTheScriptAndAreDrawn)
{
    boost::shared_ptr<RGPYGameObject> actor = RGPYFactory::Create("Balychahl");
    actor->SetPosition({0.25f, 0.5f, 0.0f});
    actor->UpdateSpritesState(-0.125, 0.0);
    const TarnEngine::SSprite& walk = *actor->GetStates().at("walk")[0];
    EXPECT_FLOAT_EQ(0.125f, walk.m_Position.X);
    EXPECT_FLOAT_EQ(0.5f, walk.m_Position.Y);
    EXPECT_FLOAT_EQ(0.06f, walk.m_Position.Width);
    EXPECT_FLOAT_EQ(0.12f, walk.m_Position.Height);
    EXPECT_FALSE(walk.m_Cached);
    platform::testing::ClearRenderCalls();
    actor->Render();
    EXPECT_EQ(1u, Draws());
    EXPECT_EQ(actor->GetAnimationOffset(), walk.m_Material.m_Animator1->m_Phase);

    actor->StopAnimations();
    EXPECT_EQ(1, walk.m_Material.m_Animator1->m_State);
    actor->PlayAnimations();
    EXPECT_EQ(0, walk.m_Material.m_Animator1->m_State);
}

TEST_F(ScriptedObjectTest, ASpriteListIsAppliedOnlyToTheStatesSprites)
{
    boost::shared_ptr<RGPYGameObject> probe = Probe(2);
    probe->GetPythonObject()->SetPropertyValue(RGPythonHandle::FromString("sprite_items"),
                                               RGPythonHandle::FromString("none"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { probe->UpdateSpritesState(0.0, 0.0); }),
                           "result is not a list. module name [rgpy_factory]"));

    boost::shared_ptr<RGPYGameObject> longer = Probe(2);
    Runegarden::RGPythonList items(RGPYFactory::GetModule());
    items.Create();
    for (double x : {0.25, 0.5, 0.75}) items.Append(RGPythonHandle::FromDouble(x));
    longer->GetPythonObject()->SetPropertyValue(RGPythonHandle::FromString("sprite_items"), items.GetHandle());
    longer->UpdateSpritesState(0.0, 0.0);
    EXPECT_EQ(0.25f, longer->GetStates().at("idle")[0]->m_Position.X);
    EXPECT_EQ(0.5f, longer->GetStates().at("idle")[1]->m_Position.X);
}

TEST_F(ScriptedObjectTest, AnObjectWithoutSpritesInItsStateIsNotAskedButItsMembersAre)
{
    boost::shared_ptr<RGPYGameObject> group = Probe(0);
    group->CheckState("idle");
    boost::shared_ptr<RGPYGameObject> member = Probe(1);
    group->AddGroupObject(member);
    // A script that would fail if it were asked.
    group->GetPythonObject()->SetPropertyValue(RGPythonHandle::FromString("sprite_items"),
                                               RGPythonHandle::FromString("none"));
    member->SetPosition({0.3f, 0.4f, 0.0f});
    group->UpdateSpritesState(0.0, 0.0);
    EXPECT_FLOAT_EQ(0.3f, member->GetStates().at("idle")[0]->m_Position.X);
}

TEST_F(ScriptedObjectTest, AGroupSpansTheUnionOfItsMembersBoxes)
{
    boost::shared_ptr<RGPYGameObject> group = Probe(0);
    boost::shared_ptr<RGPYGameObject> a = Probe(0), b = Probe(0);
    a->SetPosition({2.0f, 1.0f, 0.0f});
    a->SetHalfSize({1.0f, 1.0f, 0.0f});
    b->SetPosition({6.0f, 1.0f, 0.0f});
    b->SetHalfSize({1.0f, 2.0f, 0.0f});
    group->AddGroupObject(a);
    group->AddGroupObject(b);
    // Not grown to the origin: the union starts from the first member.
    EXPECT_EQ(2.0f, group->GetPosition().X);
    EXPECT_EQ(1.0f, group->GetPosition().Y);
    EXPECT_EQ(3.0f, group->GetHalfSize().X);
    EXPECT_EQ(2.0f, group->GetHalfSize().Y);
    EXPECT_EQ("2.0", Property(group, "x"));
    EXPECT_EQ("3.0", Property(group, "w"));
}

TEST_F(ScriptedObjectTest, RenderingDrawsTheChosenStateOrNothing)
{
    boost::shared_ptr<RGPYGameObject> probe = Probe(2);
    probe->GetStates().at("idle")[1]->m_Enabled = false;
    platform::testing::ClearRenderCalls();
    probe->Render();
    EXPECT_EQ(1u, Draws()) << "the disabled sprite is skipped";

    boost::shared_ptr<RGPYGameObject> bare = Probe(0);
    EXPECT_NO_THROW(bare->Render()) << "can_render is false without sprites";
    EXPECT_TRUE(StartsWith(ThrownText([&] { probe->RenderState("swim"); }),
                           "state [swim] not found for game object[probe]."));
}

TEST_F(ScriptedObjectTest, AttributesAreWrittenByTheirTypes)
{
    boost::shared_ptr<RGPYGameObject> probe = Probe(0);
    struct Case {
        const char *value, *type, *seen;
    } const cases[] = {
        {"1", "Boolean", "True"},     {"word", "String", "word"}, {"0.5", "Double", "0.5"},
        {"4000000000", "SizeT", "4000000000"}, {"-12", "Long", "-12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        probe->SetAttributeValue("value", c.value, c.type);
        EXPECT_EQ(c.seen, Property(probe, "value"));
    }
    EXPECT_TRUE(StartsWith(ThrownText([&] { probe->SetAttributeValue("value", "1", "Float"); }),
                           "can't set attribute[value] of type[Float] by value[1]"));
    EXPECT_THROW(probe->SetAttributeValue("value", "x", "Double"), boost::bad_lexical_cast);
    EXPECT_TRUE(StartsWith(ThrownText([&] { probe->SetAttributeValue("value", "\xff", "String"); }),
                           "can't cast to PyXXX value:NULL"));
    EXPECT_EQ("-12", Property(probe, "value")) << "a failed write leaves the property";
    SCore::SXMLDeserializator in;
    EXPECT_TRUE(StartsWith(ThrownText([&] { probe->DoDeserialize(in, 0); }), "inconclusive"));
}

} // namespace
