#include "engine/core/base/SEngineException.h"
#include "engine/framework/threads/SBackgroundWorker.h"
#include "engine/framework/threads/SUIEvent.h"
#include "platform/testing.h"
#include "tests/support/LogCapture.h"
#include "tests/support/ThrownText.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace TarnEngine;
namespace hooks = platform::testing;

namespace {

struct Owner {
    int dones = 0;
    void Done() { ++dones; }
    void ThrowCore() { throw TarnEngine::SEngineException("can't find texture:SKY"); }
    void ThrowStd() { throw std::runtime_error("bad alloc somewhere"); }
    void ThrowOther() { throw 42; }
};

} // namespace

// Shown by whoever joins the worker (start-up throws the text on), so the player is told once.
TEST(WorkerTest, FailureIsLoggedAndRecordedNotShownAndSkipsDone)
{
    struct Case {
        void (Owner::*job)();
        const char* logged;
        const char* recorded;
    } cases[] = {
        {&Owner::ThrowCore, "TarnCoreException:can't find texture:SKY\n", "can't find texture:SKY"},
        {&Owner::ThrowStd, "exception:bad alloc somewhere\n", "bad alloc somewhere"},
        {&Owner::ThrowOther, "unhandled exception\n", "unhandled exception"},
    };
    hooks::HookMessageBox(true);
    for (const Case& c : cases) {
        tarn_test::LogCapture log;
        hooks::ClearMessageBoxCalls();
        Owner owner;
        SBackgroundWorker worker;
        worker.SetJob(boost::make_shared<UI::SUIEvent<Owner>>(c.job, &owner));
        worker.SetDoneEvent(boost::make_shared<UI::SUIEvent<Owner>>(&Owner::Done, &owner));
        worker.Start();
        worker.Join();
        EXPECT_TRUE(hooks::MessageBoxCalls().empty()) << c.logged;
        EXPECT_TRUE(log.HasEntry(c.logged)) << log.Text();
        EXPECT_EQ(0, owner.dones);
        EXPECT_TRUE(worker.HasFailed());
        EXPECT_EQ(c.recorded, worker.GetFailureText());
    }
    hooks::ResetAll();
}

TEST(Threads, StartFailureThrowsWithContext)
{
    struct Idle : SThread {
        void Run() override {}
    } thread;
    hooks::InjectOnce("_beginthreadex", E_FAIL);
    EXPECT_TRUE(tarn_test::ThrowsStartingWith([&] { thread.Start(); }, "can't start thread SThread::Start() Src\\SThread at:"));
    EXPECT_FALSE(thread.IsStarted());
    hooks::ResetAll();
}
