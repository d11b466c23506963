#include "game/gameplay/objects/RGPYGameObjectDispatcher.h"

#include "game/gameplay/scripting/RGPythonObject.h"
#include "tests/game/gameplay/objects/GameObjectFixture.h"

using namespace Runegarden;

namespace {

class DispatcherTest : public GameObjectTest {
protected:
    void SetUp() override
    {
        GameObjectTest::SetUp();
        m_Dispatcher.Init();
    }
    boost::shared_ptr<RGPYGameObject> Place(const std::string& name, float x, float y)
    {
        boost::shared_ptr<RGPYGameObject> object = RGPYFactory::Create(name);
        object->SetPosition({x, y, 0.0f});
        object->Enable();
        return object;
    }
    // The script's class replaced, to give the dispatcher a faulty script.
    void ReplaceDispatcherClass(const std::string& className)
    {
        const auto probe = TestModule("objects", "object_probe");
        m_Dispatcher.GetPythonObject()->SetPropertyValue(RGPythonHandle::FromString("__class__"),
                                                         probe->GetModuleAttribute(className));
    }
    static RGContact Contact(float nx, float ny)
    {
        RGContact contact;
        contact.m_Normal = {nx, ny, 0.0f};
        contact.m_Depth = 0.01f;
        return contact;
    }

    RGPYGameObjectDispatcher m_Dispatcher;
};

TEST_F(DispatcherTest, TheScriptDecidesEachShippedPairsResponseAndSound)
{
    // An actor at (0.5, 0.5) is 0.06 wide and 0.12 high, its feet at 0.62.
    struct Case {
        const char *a, *b;
        float bx, by, nx, ny;
        const char* airborne; // seconds the actor has been in the air, as its script counts
        bool separate;
        const char* sound;
    } const cases[] = {
        {"Balychahl", "Block", 0.56f, 0.5f, 1, 0, "0", true, "Collide"},        // a wall: turn
        {"Block", "Balychahl", 0.44f, 0.5f, -1, 0, "0", true, "Collide"},       // either order
        {"Balychahl", "Block", 0.56f, 0.6f, 1, 0, "0", false, ""},              // a low edge: step up
        {"Balychahl", "Ground", 0.3f, 0.62f, 0, 1, "0.1", true, "Step"},        // landing
        {"Monster", "Balychahl", 0.52f, 0.5f, 1, 0, "0", false, "Kill"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " with " + c.b);
        boost::shared_ptr<RGPYGameObject> a = Place(c.a, 0.5f, 0.5f);
        boost::shared_ptr<RGPYGameObject> b = Place(c.b, c.bx, c.by);
        (a->IsActor() ? a : b)->SetAttributeValue("airborne_time", c.airborne, "Double");
        std::string sound = "before";
        EXPECT_EQ(c.separate, m_Dispatcher.Dispatch(a, b, Contact(c.nx, c.ny), *m_World, sound));
        EXPECT_EQ(c.sound, sound);
    }
}

TEST_F(DispatcherTest, AFaultyDispatcherScriptFailsWithItsText)
{
    boost::shared_ptr<RGPYGameObject> a = Place("Balychahl", 0.5f, 0.5f), b = Place("Block", 0.56f, 0.5f);
    std::string sound;
    ReplaceDispatcherClass("NumberSound");
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Dispatcher.Dispatch(a, b, Contact(1, 0), *m_World, sound); }),
                           "can't convert result to string"));
    ReplaceDispatcherClass("NoRun");
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Dispatcher.Dispatch(a, b, Contact(1, 0), *m_World, sound); }),
                           "method [run] is not a method name of module [rgpy_factory]"));
}

} // namespace
