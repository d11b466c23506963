#include "game/gameplay/objects/RGPYGameObject.h"

#include "game/gameplay/scripting/RGPythonList.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "tests/game/gameplay/objects/GameObjectFixture.h"

#include "engine/core/render/STextureAnimator.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "platform/testing_render.h"

using namespace Runegarden;

namespace {

class ScriptedObjectTest : public GameObjectTest {
protected:
    // A game object bound to the probe script, with the given number of sprites in its "idle" state.
    boost::shared_ptr<RGPYGameObject> Probe(unsigned sprites)
    {
        boost::shared_ptr<RGPythonInterpreter> module = TestModule("objects", "object_probe");
        RGPythonFunctor create(module);
        create.SetFuncName("create_probe", 1);
        create.SetArgumentValueString("probe");
        boost::shared_ptr<RGPYGameObject> object(new RGPYGameObject);
        object->SetPythonObject(
            boost::shared_ptr<RGPythonObject>(new RGPythonObject(module, "ProbeObject", create.Exec().GetHandle())));
        object->SetName("probe");
        for (unsigned i = 0; i < sprites; ++i)
            object->AddStateSprite("idle", RGSpriteCreator::CreateTexturedSprite("OBJ_GROUND", true));
        return object;
    }
    static std::string Property(const boost::shared_ptr<RGPYGameObject>& object, const std::string& name)
    {
        return object->GetPythonObject()->GetPropertyValue(RGPythonHandle::FromString(name)).GetHandle().Text();
    }
    static void SetScript(const boost::shared_ptr<RGPYGameObject>& object, const std::string& name,
                          const RGPythonHandle& value)
    {
        object->GetPythonObject()->SetPropertyValue(RGPythonHandle::FromString(name), value);
    }
    size_t Draws() { return platform::testing::RenderCalls("DrawIndexedPrimitive").size(); }
};

TEST_F(ScriptedObjectTest, AnUpdateRunsTheScriptWhenItMayThenStepsTheBody)
{
    boost::shared_ptr<RGPYGameObject> probe = Probe(0);
    probe->SetMass(1.0f);
    probe->SetAttributeValue("allowed", "0", "Boolean");
    probe->SetAttributeValue("frc_x", "100", "Double");
    probe->RefreshCache();
    probe->Update(0.1f, *m_World);
    EXPECT_EQ(0.0f, probe->GetPosition().X) << "a force but no update";
    EXPECT_EQ("[]", Property(probe, "times"));

    probe->SetAttributeValue("allowed", "1", "Boolean");
    platform::testing::SetFakeTime(4321);
    probe->Update(0.1f, *m_World);
    EXPECT_FLOAT_EQ(1.0f, probe->GetPosition().X) << "100 * 0.1 * 0.1 from the force read before";
    EXPECT_EQ("1.0", Property(probe, "x"));
    EXPECT_EQ("[4321]", Property(probe, "times")) << "the script sees the layer's clock";
}

TEST_F(ScriptedObjectTest, TheStateSpritesFollowTheScriptAndTheEnabledOnesAreDrawn)
{
    boost::shared_ptr<RGPYGameObject> actor = RGPYFactory::Create("Balychahl");
    actor->SetPosition({0.25f, 0.5f, 0.0f});
    actor->UpdateSpritesState(-0.125, 0.0);
    const TarnEngine::SSprite& walk = *actor->GetStates().at("walk")[0];
    EXPECT_FLOAT_EQ(0.125f, walk.m_Position.X);
    platform::testing::ClearRenderCalls();
    actor->Render();
    EXPECT_EQ(1u, Draws());
    EXPECT_EQ(actor->GetAnimationOffset(), walk.m_Material.m_Animator1->m_Phase);
    actor->StopAnimations();
    EXPECT_EQ(1, walk.m_Material.m_Animator1->m_State);
    actor->PlayAnimations();
    EXPECT_EQ(0, walk.m_Material.m_Animator1->m_State);

    boost::shared_ptr<RGPYGameObject> probe = Probe(2);
    probe->GetStates().at("idle")[1]->m_Enabled = false;
    platform::testing::ClearRenderCalls();
    probe->Render();
    EXPECT_EQ(1u, Draws());
    EXPECT_TRUE(StartsWith(ThrownText([&] { probe->RenderState("swim"); }),
                           "state [swim] not found for game object[probe]."));
}

TEST_F(ScriptedObjectTest, AWalkerFacingLeftIsMirroredAndASpriteDrawnUpsideDownStaysSo)
{
    boost::shared_ptr<RGPYGameObject> actor = RGPYFactory::Create("Balychahl");
    const TarnEngine::SSprite& walk = *actor->GetStates().at("walk")[0];
    boost::shared_ptr<TarnEngine::SSprite> upsideDown = RGSpriteCreator::CreateTexturedSprite("OBJ_GROUND", true);
    upsideDown->m_FlipVertical = true;
    actor->AddStateSprite("walk", upsideDown);
    for (int direction : {-1, 1}) {
        SCOPED_TRACE(direction);
        SetScript(actor, "direction", RGPythonHandle::FromLong(direction));
        actor->UpdateSpritesState(0.0, 0.0);
        EXPECT_EQ(direction < 0, walk.m_FlipHorizontal);
        EXPECT_FALSE(walk.m_FlipVertical);
        EXPECT_EQ(direction < 0, upsideDown->m_FlipHorizontal);
        EXPECT_TRUE(upsideDown->m_FlipVertical);
    }
}

TEST_F(ScriptedObjectTest, TheScriptsSpriteListIsAppliedToTheStatesSpritesOnlyAndThenToTheMembers)
{
    boost::shared_ptr<RGPYGameObject> group = Probe(0), member = Probe(2);
    group->CheckState("idle");
    group->AddGroupObject(member);
    SetScript(group, "sprite_items", RGPythonHandle::FromString("none")); // not asked: it has no sprites
    RGPythonList items(RGPYFactory::GetModule());
    items.Create();
    for (double x : {0.25, 0.5, 0.75}) items.Append(RGPythonHandle::FromDouble(x));
    SetScript(member, "sprite_items", items.GetHandle());
    group->UpdateSpritesState(0.0, 0.0);
    EXPECT_EQ(0.25f, member->GetStates().at("idle")[0]->m_Position.X);
    EXPECT_EQ(0.5f, member->GetStates().at("idle")[1]->m_Position.X);
    SetScript(member, "sprite_items", RGPythonHandle::FromString("none"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { group->UpdateSpritesState(0.0, 0.0); }),
                           "result is not a list. module name [rgpy_factory]"));
}

TEST_F(ScriptedObjectTest, AGroupSpansTheUnionOfItsMembersBoxes)
{
    boost::shared_ptr<RGPYGameObject> group = Probe(0), a = Probe(0), b = Probe(0);
    a->SetPosition({2.0f, 1.0f, 0.0f});
    a->SetHalfSize({1.0f, 1.0f, 0.0f});
    b->SetPosition({6.0f, 1.0f, 0.0f});
    b->SetHalfSize({1.0f, 2.0f, 0.0f});
    group->AddGroupObject(a);
    group->AddGroupObject(b);
    // Not grown to the origin: the union starts from the first member.
    EXPECT_EQ("2.0 1.0 3.0 2.0", Property(group, "x") + " " + Property(group, "y") + " " + Property(group, "w") +
                                     " " + Property(group, "h"));
}

TEST_F(ScriptedObjectTest, AttributesAreWrittenByTheirTypes)
{
    boost::shared_ptr<RGPYGameObject> probe = Probe(0);
    const struct {
        const char *value, *type, *seen;
    } cases[] = {
        {"1", "Boolean", "True"}, {"4000000000", "SizeT", "4000000000"}, {"-12", "Long", "-12"},
    };
    for (const auto& c : cases) {
        probe->SetAttributeValue("value", c.value, c.type);
        EXPECT_EQ(c.seen, Property(probe, "value")) << c.type;
    }
    // A str that does not decode is refused, and the property keeps its value.
    EXPECT_TRUE(StartsWith(ThrownText([&] { probe->SetAttributeValue("value", "\xff", "String"); }),
                           "can't cast to PyXXX value:NULL"));
    EXPECT_EQ("-12", Property(probe, "value"));
    SCore::SXMLDeserializator in;
    EXPECT_TRUE(StartsWith(ThrownText([&] { probe->DoDeserialize(in, 0); }), "inconclusive"));
}

} // namespace
