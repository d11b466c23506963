#include "game/gameplay/objects/RGPYGameObjectDispatcher.h"

#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/scripting/RGScriptLock.h"
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

TEST_F(DispatcherTest, TheScriptDecidesThePairsResponseAndSound)
{
    // A walker (0.06 wide, 0.12 high) meets a block: a wall at its side turns it away with a
    // sound, a low edge at its feet is stepped onto silently. Handed over block first, the normal
    // points the other way and the outcome is the same.
    for (bool walkerFirst : {true, false}) {
        for (float y : {0.5f, 0.6f}) {
            SCOPED_TRACE(std::to_string(walkerFirst) + " " + std::to_string(y));
            boost::shared_ptr<RGPYGameObject> walker = Place("Balychahl", 0.5f, 0.5f), block = Place("Block", 0.56f, y);
            walker->SetAttributeValue("airborne_time", "0", "Double");
            std::string sound = "before";
            EXPECT_EQ(y == 0.5f, walkerFirst ? m_Dispatcher.Dispatch(walker, block, Contact(1, 0), *m_World, sound)
                                             : m_Dispatcher.Dispatch(block, walker, Contact(-1, 0), *m_World, sound));
            EXPECT_EQ(y == 0.5f ? "Collide" : "", sound);
            RGScriptLock lock;
            EXPECT_EQ(y == 0.5f ? -1.0 : 1.0,
                      walker->GetPythonObject()->GetPropertyValue(RGPythonHandle::FromString("direction")).GetResultAsDouble());
        }
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
