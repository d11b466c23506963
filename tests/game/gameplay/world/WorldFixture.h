#pragma once
// The shipped game objects on a headless viewport, the localised font of the shipped config.xml,
// the fake clock, a probe module that records (and can decide) what the dispatcher is asked, and
// a temporary folder for the files a test writes.

#include "engine/core/serialization/SXMLDeserializator.h"
#include "game/gameplay/scripting/RGScriptLock.h"
#include "game/gameplay/services/RGLocalizationFont.h"
#include "tests/game/gameplay/objects/GameObjectFixture.h"

class WorldTest : public GameObjectTest {
protected:
    void SetUp() override
    {
        GameObjectTest::SetUp();
        SCore::SXMLDeserializator config(L"config.xml");
        config.BeginChild("configuration");
        Runegarden::gLocalizationFont.Deserialize(config);
        platform::testing::SetFakeTime(100000);
        m_Probe = TestModule("world", "world_probe");
    }
    void TearDown() override
    {
        Call("restore");
        m_Probe.reset();
        Runegarden::gLocalizationFont = Runegarden::RGLocalizationFont();
        GameObjectTest::TearDown();
    }
    // Records every dispatcher call; answer 0 or 1 forces run's result, -1 keeps the script's.
    void Probe(int answer) { Call("install", answer); }
    // "first/second/depth/nx/ny" per call, joined by ";".
    std::string ProbeCalls() { return Call("calls").GetResultAsString(); }
    // "name count" per sound named more than `above` times since Probe, joined by ";".
    std::string ProbeSounds(int above) { return Call("sounds", above).GetResultAsString(); }

    Runegarden::RGPythonResult Call(const std::string& name, int argument = -2)
    {
        Runegarden::RGScriptLock lock;
        Runegarden::RGPythonFunctor f(m_Probe);
        f.SetFuncName(name, argument == -2 ? 0 : 1);
        if (argument != -2) f.SetArgumentValue(0, Runegarden::RGPythonHandle::FromLong(argument));
        return f.Exec();
    }
    // The object read from an element given as text.
    template <typename T>
    static void ReadInto(T& object, const std::string& text)
    {
        SCore::SXMLDeserializator in;
        in.m_Text = text;
        in.ParseText();
        object.DoDeserialize(in);
    }
    boost::shared_ptr<Runegarden::RGPythonInterpreter> m_Probe;
    tarn_test::TempDir m_Dir;
};
