#include "game/gameplay/scripting/RGPythonFunctor.h"

#include "game/gameplay/scripting/RGPythonHandle.h"
#include "game/gameplay/scripting/RGScriptLock.h"
#include "tests/game/gameplay/scripting/ScriptFixture.h"
#include "tests/support/LogCapture.h"

#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>

using namespace Runegarden;

namespace {

TEST_F(ScriptTest, FunctorArgumentsArriveWithTheirPythonTypesAndFixedSlots)
{
    boost::shared_ptr<RGPythonFunctor> describe = Function("describe", 5);
    describe->SetArgumentValueString("abc"); // slot 0, whatever the tuple's size
    describe->SetArgumentValueSizeT(1, 4294967295u);
    describe->SetArgumentValueDouble(2, 0.5);
    describe->SetArgumentValueBoolean(3, true);
    describe->SetArgumentValue(4, RGPythonHandle::FromLong(-7));
    EXPECT_EQ("str:'abc',int:4294967295,float:0.5,bool:True,int:-7", describe->Exec().GetResultAsString());
    // The tuple keeps the first call's values until a setter replaces them.
    describe->SetArgumentValuePyObject(RGPythonHandle::FromDouble(2.0));
    EXPECT_EQ("float:2.0,int:4294967295,float:0.5,bool:True,int:-7", describe->Exec().GetResultAsString());
}

TEST_F(ScriptTest, BindingAndArgumentFailuresNameWhatIsWrong)
{
    RGPythonInterpreter other;
    RGPythonFunctor functor(m_Interpreter);
    boost::shared_ptr<RGPythonFunctor> describe = Function("describe", 3);
    describe->SetArgumentValueString("a");
    describe->SetArgumentValueDouble(1, 1.0);
    const struct {
        std::function<void()> call;
        const char* text;
    } cases[] = {
        {[&] { other.LoadModule("no_such_module"); },
         "can't load Python module [no_such_module] RGPythonInterpreter::LoadModule()"},
        {[&] { functor.SetFuncName("missing", 0); },
         "can't get ModuleAttribute[missing] RGPythonInterpreter::GetModuleAttribute()"},
        {[&] { functor.SetFuncName("not_callable", 0); },
         "the [not_callable] is not a function name of module [wrapper_probe]"},
        // A functor whose binding failed is not called with a stale function.
        {[&] { functor.Exec(); }, "function [not_callable] is not bound"},
        {[&] { describe->Exec(); }, "argument [2] is not set for [describe]"},
        {[&] { describe->SetArgumentValueDouble(3, 1.0); }, "can't set long value:1.0"},
    };
    for (const auto& c : cases) EXPECT_TRUE(StartsWith(ThrownText(c.call), c.text)) << c.text;
}

TEST_F(ScriptTest, ARaisingCallIsReportedLoggedAndClearedSoTheNextCallSucceeds)
{
    tarn_test::LogCapture log;
    boost::shared_ptr<RGPythonFunctor> raises = Function("raises", 0);
    EXPECT_TRUE(StartsWith(ThrownText([&] { raises->Exec(); }),
                           "can't return function result.[raises] module [wrapper_probe] RGPythonFunctor::Exec()"));
    EXPECT_NE(std::string::npos, log.Text().find("Traceback"));
    EXPECT_NE(std::string::npos, log.Text().find("ValueError: probe failure"));
    boost::shared_ptr<RGPythonFunctor> identity = Function("identity", 1);
    identity->SetArgumentValueSizeT(0, 3);
    EXPECT_EQ(3u, identity->Exec().GetResultAsSizeT());
}

TEST_F(ScriptTest, AScriptThatKeepsItsArgumentsDoesNotSeeThemChangeOnTheNextCall)
{
    boost::shared_ptr<RGPythonFunctor> keep = Function("keep_arguments", 1);
    for (const char* value : {"first", "second"}) {
        keep->SetArgumentValueString(value);
        keep->Exec();
    }
    EXPECT_EQ("[('first',), ('second',)]", Value("repr(_kept)").GetResultAsString());
}

TEST_F(ScriptTest, ResultReadersKeepTheDesignedFallbacksForWrongTypes)
{
    const struct {
        const char* expression;
        uint32_t sizeT;
        double number;
        bool truth;
    } cases[] = {
        {"7", 7u, 7.0, true},
        {"-1", 4294967295u, -1.0, true},
        {"2**40", 4294967295u, 1099511627776.0, true},
        {"0.5", 4294967295u, 0.5, false}, // truncated toward zero
        {"None", 4294967295u, -1.0, true},
    };
    tarn_test::LogCapture log;
    for (const auto& c : cases) {
        const RGPythonResult result = Value(c.expression);
        EXPECT_EQ(c.sizeT, result.GetResultAsSizeT()) << c.expression;
        EXPECT_EQ(c.number, result.GetResultAsDouble()) << c.expression;
        EXPECT_EQ(c.truth, result.GetResultAsBoolean()) << c.expression;
    }
    // Only an ASCII str converts to a string, up to its first NUL; each failure is cleared.
    EXPECT_EQ("ab", Value("'ab\\x00cd'").GetResultAsString());
    for (const char* bad : {"5", "'caf\\xe9'", "None"})
        EXPECT_TRUE(StartsWith(ThrownText([&] { Value(bad).GetResultAsString(); }), "can't convert result to string"));
    EXPECT_EQ("ok", Value("'ok'").GetResultAsString());
}

TEST_F(ScriptTest, TheScriptLockIsTakenFromASecondThreadWhileTheMainThreadRunsPython)
{
    std::atomic<int> failures{0};
    std::thread second([&] {
        boost::shared_ptr<RGPythonFunctor> identity = Function("identity", 1);
        for (uint32_t i = 0; i < 300; ++i) {
            RGScriptLock lock; // argument and call stay together
            identity->SetArgumentValueSizeT(0, i);
            if (identity->Exec().GetResultAsSizeT() != i) ++failures;
        }
    });
    boost::shared_ptr<RGPythonFunctor> describe = Function("describe", 1);
    for (uint32_t i = 0; i < 300; ++i) {
        describe->SetArgumentValueSizeT(0, i);
        if (describe->Exec().GetResultAsString() != "int:" + std::to_string(i)) ++failures;
    }
    second.join();
    EXPECT_EQ(0, failures.load());
}

TEST(ScriptStartupTest, TheScriptsFolderIsFoundWhenPythonPathIsAlreadySet)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // A fresh process: the interpreter starts here, as in the game.
    EXPECT_EXIT(
        {
            ::setenv("PYTHONPATH", "/x", 1);
            if (::chdir(TARN_DATA_DIR) != 0) std::exit(2);
            StartPythonInterpreter();
            RGPythonInterpreter interpreter;
            interpreter.LoadModule("rgpy_factory");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(ScriptStartupTest, TheEndFinalisesTheInterpreterOnlyOnceItsLastWrapperIsGoneAndRunsTheExitHooks)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            boost::shared_ptr<RGPythonInterpreter> module = TestModule("scripting", "exit_probe");
            RGPythonHandle cached = RGPythonHandle::FromName("kept past the end");
            {
                RGScriptLock lock;
                EndPythonInterpreter(); // inside script work
            }
            EndPythonInterpreter(); // a wrapper still shares the interpreter
            std::fputs("wrapper alive\n", stderr);
            module.reset();
            std::fputs("wrapper gone\n", stderr);
            cached.Reset();
            StartPythonInterpreter(); // never again after the end
            { RGScriptLock lock; }
            std::exit(PythonInterpreterEnded() ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "^wrapper alive\nexit hook ran\nwrapper gone\n$");
}

} // namespace
