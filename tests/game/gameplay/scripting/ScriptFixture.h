#pragma once
// The interpreter started as the game starts it, with a folder of the tests' own modules on the
// path; for the wrapper tests the module "wrapper_probe" loaded.

#include "game/gameplay/scripting/RGPythonFunctor.h"
#include "game/gameplay/scripting/RGPythonInterpreter.h"
#include "game/gameplay/scripting/RGPythonStartup.h"

#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>

using tarn_test::StartsWith;
using tarn_test::ThrownText;

// A module of the tests' own scripts in tests/game/gameplay/<folder>/scripts.
inline boost::shared_ptr<Runegarden::RGPythonInterpreter> TestModule(const std::string& folder, const std::string& name)
{
    Runegarden::StartPythonInterpreter(std::string(TARN_SOURCE_DIR) + "/tests/game/gameplay/" + folder + "/scripts");
    boost::shared_ptr<Runegarden::RGPythonInterpreter> module(new Runegarden::RGPythonInterpreter);
    module->LoadModule(name);
    return module;
}

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override { m_Interpreter = TestModule("scripting", "wrapper_probe"); }
    boost::shared_ptr<Runegarden::RGPythonFunctor> Function(const std::string& name, unsigned count)
    {
        boost::shared_ptr<Runegarden::RGPythonFunctor> functor(new Runegarden::RGPythonFunctor(m_Interpreter));
        functor->SetFuncName(name, count);
        return functor;
    }
    // The value of a Python expression, as a call result.
    Runegarden::RGPythonResult Value(const std::string& expression)
    {
        boost::shared_ptr<Runegarden::RGPythonFunctor> make = Function("make", 1);
        make->SetArgumentValueString(expression);
        return make->Exec();
    }

    boost::shared_ptr<Runegarden::RGPythonInterpreter> m_Interpreter;
};
