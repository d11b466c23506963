#include "game/gameplay/scripting/RGPythonObject.h"

#include "game/gameplay/scripting/RGPythonDictionary.h"
#include "game/gameplay/scripting/RGPythonList.h"
#include "tests/game/gameplay/scripting/ScriptFixture.h"

#include <functional>

namespace {

using Runegarden::RGPythonHandle;
using Runegarden::RGPythonObject;
using tarn_test::StartsWith;
using tarn_test::ThrownText;

class ScriptObjectTest : public ScriptTest {
protected:
    void SetUp() override
    {
        ScriptTest::SetUp();
        boost::shared_ptr<Runegarden::RGPythonFunctor> create = Function("create_probe", 1);
        create->SetArgumentValueString("Probe");
        m_Object.reset(new RGPythonObject(m_Interpreter, "Probe", create->Exec().GetHandle()));
    }
    std::string Property(const std::string& name)
    {
        return m_Object->GetPropertyValue(RGPythonHandle::FromString(name)).GetHandle().Text();
    }

    boost::shared_ptr<RGPythonObject> m_Object;
};

TEST_F(ScriptObjectTest, PropertySettersStoreTheirPythonTypes)
{
    const RGPythonHandle key = RGPythonHandle::FromString("value");
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { m_Object->SetPropertyValueLong(key, -3); }, "-3"},
        {[&] { m_Object->SetPropertyValueSizeT(key, 4000000000u); }, "4000000000"},
        {[&] { m_Object->SetPropertyValueDouble(key, 0.25); }, "0.25"},
        {[&] { m_Object->SetPropertyValueString(key, "text"); }, "text"},
        {[&] { m_Object->SetPropertyValueBoolean(key, false); }, "False"},
    };
    for (const auto& c : cases) {
        c.first();
        EXPECT_EQ(c.second, Property("value"));
    }
}

TEST_F(ScriptObjectTest, MissingMembersAreReportedWithTheirTexts)
{
    EXPECT_TRUE(StartsWith(ThrownText([&] { Property("nothing"); }),
                           "property [nothing] is not a property name of class name[Probe] module [wrapper_probe]"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Object->SetMethodName("nothing", 0); }),
                           "method [nothing] is not a method name of module [wrapper_probe]"));
    RGPythonObject none(m_Interpreter, "Probe", Value("None").GetHandle());
    EXPECT_TRUE(StartsWith(ThrownText([&] { none.SetPropertyValueLong(RGPythonHandle::FromString("x"), 1); }),
                           "can't set value to property[x]. class name[Probe]. module name[wrapper_probe]"));
}

TEST_F(ScriptObjectTest, AMethodCallIsPreparedAfreshWithItsFixedSlots)
{
    m_Object->SetMethodName("describe", 4);
    m_Object->SetArgumentValueInteger(9);  // slot 1
    m_Object->SetArgumentValueString("s"); // slot 0
    m_Object->SetArgumentValueDouble(2, 1.5);
    m_Object->SetArgumentValuePyObject(3, RGPythonHandle::FromBoolean(true));
    EXPECT_EQ("str:'s',int:9,float:1.5,bool:True", m_Object->CreateObject().GetResultAsString());
    // The binding served that one call.
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Object->CreateObject(); }), "no method is bound for class name[Probe]"));
    m_Object->SetMethodName("describe", 2);
    m_Object->SetArgumentValueInteger(1);
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Object->CreateObject(); }), "argument [0] is not set for [describe]"));
    m_Object->SetMethodName("raises", 0);
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Object->CreateObject(); }),
                           "can't return result from method[raises] result. module [wrapper_probe]"));
}

TEST_F(ScriptTest, DictionaryStoresFindsAndReportsMissingKeys)
{
    Runegarden::RGPythonDictionary dictionary(m_Interpreter);
    dictionary.Create();
    const RGPythonHandle key = RGPythonHandle::FromSizeT(1);
    EXPECT_FALSE(dictionary.Contains(key));
    EXPECT_TRUE(StartsWith(ThrownText([&] { dictionary.GetValue(key); }),
                           "dictionary don't contain the key. module name [wrapper_probe]"));
    dictionary.Set(key, RGPythonHandle::FromString("one"));
    EXPECT_EQ("one", dictionary.GetValue(key).GetResultAsString());
    EXPECT_TRUE(StartsWith(ThrownText([&] { dictionary.Set(Value("[]").GetHandle(), key); }),
                           "can't set value. module name [wrapper_probe]"));
    EXPECT_TRUE(dictionary.Contains(key)) << "an unhashable key leaves no error behind";
}

TEST_F(ScriptTest, ListGrowsByAppendAndBindsOnlyToLists)
{
    Runegarden::RGPythonList list(m_Interpreter);
    list.Create();
    EXPECT_EQ(0u, list.GetSize());
    EXPECT_TRUE(StartsWith(ThrownText([&] { list.GetValue(0); }), "list index out of range. module name [wrapper_probe]"));
    list.Append(RGPythonHandle::FromDouble(2.5));
    EXPECT_EQ(2.5, list.GetValue(0).GetResultAsDouble());
    list.Bind(Value("[1, 2, 3]"));
    EXPECT_EQ(3u, list.GetSize());
    for (const char* other : {"None", "(1, 2)"})
        EXPECT_TRUE(StartsWith(ThrownText([&] { list.Bind(Value(other)); }),
                               "result is not a list. module name [wrapper_probe]"));
}

} // namespace
