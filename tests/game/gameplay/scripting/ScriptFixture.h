#pragma once
// The interpreter started as the game starts it, with the wrapper tests' own module folder on the
// path, and the module "wrapper_probe" loaded.

#include "game/gameplay/scripting/RGPythonFunctor.h"
#include "game/gameplay/scripting/RGPythonInterpreter.h"
#include "game/gameplay/scripting/RGPythonStartup.h"

#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Runegarden::StartPythonInterpreter(std::string(TARN_SOURCE_DIR) + "/tests/game/gameplay/scripting/scripts");
        m_Interpreter.reset(new Runegarden::RGPythonInterpreter);
        m_Interpreter->LoadModule("wrapper_probe");
    }
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
