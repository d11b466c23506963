#include "game/gameplay/scripting/RGPythonObject.h"

#include "game/gameplay/scripting/RGPythonDictionary.h"
#include "game/gameplay/scripting/RGPythonList.h"
#include "tests/game/gameplay/scripting/ScriptFixture.h"

namespace {

using Runegarden::RGPythonDictionary;
using Runegarden::RGPythonHandle;
using Runegarden::RGPythonList;
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
    m_Object->SetPropertyValueLong(key, -3);
    EXPECT_EQ("-3", Property("value"));
    m_Object->SetPropertyValueSizeT(key, 4000000000u);
    EXPECT_EQ("4000000000", Property("value"));
    m_Object->SetPropertyValueDouble(key, 0.25);
    EXPECT_EQ("0.25", Property("value"));
    m_Object->SetPropertyValueString(key, "text");
    EXPECT_EQ("text", Property("value"));
    m_Object->SetPropertyValueBoolean(key, false);
    EXPECT_EQ("False", Property("value"));
}

TEST_F(ScriptObjectTest, MissingMembersAndFailedValuesAreReportedWithTheirTexts)
{
    EXPECT_TRUE(StartsWith(ThrownText([&] { Property("nothing"); }),
                           "property [nothing] is not a property name of class name[Probe] module [wrapper_probe]"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Object->SetMethodName("nothing", 0); }),
                           "method [nothing] is not a method name of module [wrapper_probe]"));
    // A str that does not decode is refused; the property keeps its value.
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Object->SetPropertyValueString(RGPythonHandle::FromString("label"), "\xff"); }),
                           "can't cast to PyXXX value:NULL"));
    EXPECT_EQ("start", Property("label"));
    RGPythonObject none(m_Interpreter, "Probe", Value("None").GetHandle());
    EXPECT_TRUE(StartsWith(ThrownText([&] { none.SetPropertyValueLong(RGPythonHandle::FromString("x"), 1); }),
                           "can't set value to property[x]. class name[Probe]. module name[wrapper_probe]"));
}

TEST_F(ScriptObjectTest, AMethodCallIsPreparedAfreshWithItsFixedSlots)
{
    m_Object->SetMethodName("describe", 4);
    m_Object->SetArgumentValueInteger(9); // slot 1
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
    m_Object->SetMethodName("describe", 0);
    EXPECT_EQ("", m_Object->CreateObject().GetResultAsString());
}

TEST_F(ScriptTest, DictionaryStoresFindsAndReportsMissingKeys)
{
    RGPythonDictionary dictionary(m_Interpreter);
    dictionary.Create();
    const RGPythonHandle key = RGPythonHandle::FromSizeT(1);
    EXPECT_FALSE(dictionary.Contains(key));
    EXPECT_TRUE(StartsWith(ThrownText([&] { dictionary.GetValue(key); }),
                           "dictionary don't contain the key. module name [wrapper_probe]"));
    dictionary.Set(key, RGPythonHandle::FromString("one"));
    EXPECT_TRUE(dictionary.Contains(key));
    EXPECT_EQ("one", dictionary.GetValue(key).GetResultAsString());
    EXPECT_TRUE(StartsWith(ThrownText([&] { dictionary.Set(Value("[]").GetHandle(), key); }),
                           "can't set value. module name [wrapper_probe]"));
    EXPECT_TRUE(dictionary.Contains(key)) << "an unhashable key leaves no error behind";
}

TEST_F(ScriptTest, ListGrowsByAppendAndBindsOnlyToLists)
{
    RGPythonList list(m_Interpreter);
    list.Create();
    EXPECT_EQ(0u, list.GetSize());
    EXPECT_TRUE(StartsWith(ThrownText([&] { list.GetValue(0); }), "list index out of range. module name [wrapper_probe]"));
    list.Append(RGPythonHandle::FromDouble(2.5));
    EXPECT_EQ(1u, list.GetSize());
    EXPECT_EQ(2.5, list.GetValue(0).GetResultAsDouble());

    list.Bind(Value("[1, 2, 3]"));
    EXPECT_EQ(3u, list.GetSize());
    EXPECT_TRUE(StartsWith(ThrownText([&] { list.Bind(Value("None")); }),
                           "result is not a list. module name [wrapper_probe]"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { list.Bind(Value("(1, 2)")); }),
                           "result is not a list. module name [wrapper_probe]"));
}

} // namespace
