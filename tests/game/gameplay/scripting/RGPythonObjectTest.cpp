#include "game/gameplay/scripting/RGPythonObject.h"

#include "game/gameplay/scripting/RGPythonDictionary.h"
#include "game/gameplay/scripting/RGPythonList.h"
#include "tests/game/gameplay/scripting/ScriptFixture.h"

#include <utility>

using namespace Runegarden;

namespace {

class ScriptObjectTest : public ScriptTest {
protected:
    void SetUp() override
    {
        ScriptTest::SetUp();
        boost::shared_ptr<RGPythonFunctor> create = Function("create_probe", 1);
        create->SetArgumentValueString("Probe");
        m_Object.reset(new RGPythonObject(m_Interpreter, "Probe", create->Exec().GetHandle()));
    }
    std::string Property(const std::string& name)
    {
        return m_Object->GetPropertyValue(RGPythonHandle::FromString(name)).GetHandle().Text();
    }

    boost::shared_ptr<RGPythonObject> m_Object;
};

TEST_F(ScriptObjectTest, MissingMembersAreReportedWithTheirTexts)
{
    EXPECT_TRUE(StartsWith(ThrownText([&] { Property("nothing"); }),
                           "property [nothing] is not a property name of class name[Probe] module [wrapper_probe]"));
    RGPythonObject none(m_Interpreter, "Probe", Value("None").GetHandle());
    EXPECT_TRUE(StartsWith(ThrownText([&] { none.SetPropertyValueLong(RGPythonHandle::FromString("x"), 1); }),
                           "can't set value to property[x]. class name[Probe]. module name[wrapper_probe]"));
}

TEST_F(ScriptObjectTest, AMethodBindingServesOneCallWithEverySlotSet)
{
    m_Object->SetMethodName("describe", 2);
    m_Object->SetArgumentValueInteger(9); // slot 1
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Object->CreateObject(); }), "argument [0] is not set for [describe]"));
    m_Object->SetArgumentValueString("s");
    EXPECT_EQ("str:'s',int:9", m_Object->CreateObject().GetResultAsString());
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Object->CreateObject(); }), "no method is bound for class name[Probe]"));
    m_Object->SetMethodName("raises", 0);
    EXPECT_TRUE(StartsWith(ThrownText([&] { m_Object->CreateObject(); }),
                           "can't return result from method[raises] result. module [wrapper_probe]"));
}

TEST_F(ScriptObjectTest, AMethodIsWhatAttributeLookupFindsWhenItIsBound)
{
    // Each row changes the class or the instance, then binds "call" with one argument, 21.
    const std::pair<const char*, const char*> cases[] = {
        {"setattr(Probe, 'call', lambda self, v: v * 2)", "42"},
        {"setattr(Probe, 'call', lambda self, v: v * 3)", "63"},
        {"setattr(Probe, 'call', staticmethod(lambda v: -v))", "-21"},
        {"setattr(Probe, 'call', classmethod(lambda cls, v: cls.__name__ + str(v)))", "Probe21"},
        {"", "int:21"}, // the instance's own attribute: called without the instance
    };
    for (const auto& c : cases) {
        if (*c.first) Value(c.first);
        else m_Object->SetPropertyValue(RGPythonHandle::FromString("call"), Value("describe").GetHandle());
        m_Object->SetMethodName("call", 1);
        m_Object->SetArgumentValue(0, RGPythonHandle::FromLong(21));
        EXPECT_EQ(c.second, m_Object->CreateObject().GetHandle().Text()) << c.first;
    }
}

TEST_F(ScriptTest, DictionaryAndListRefuseMissingKeysAndIndices)
{
    RGPythonDictionary dictionary(m_Interpreter);
    dictionary.Create();
    const RGPythonHandle key = RGPythonHandle::FromSizeT(1);
    EXPECT_TRUE(StartsWith(ThrownText([&] { dictionary.GetValue(key); }), "dictionary don't contain the key"));
    dictionary.Set(key, RGPythonHandle::FromString("one"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { dictionary.Set(Value("[]").GetHandle(), key); }), "can't set value"));
    EXPECT_TRUE(dictionary.Contains(key)) << "an unhashable key leaves no error behind";
    RGPythonList list(m_Interpreter);
    list.Bind(Value("[1, 2, 3]"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { list.GetValue(3); }), "list index out of range"));
}

} // namespace
