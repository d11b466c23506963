#include "engine/core/SEngineException.h"
#include "engine/framework/SBackgroundWorker.h"
#include "engine/framework/SLockGuard.h"
#include "engine/framework/SUIEvent.h"
#include "platform/testing.h"
#include "tests/support/LogCapture.h"

#include <atomic>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

using namespace TarnEngine;
namespace hooks = platform::testing;

namespace {

struct Owner {
    int jobs = 0;
    int dones = 0;
    std::thread::id jobThread;
    void Job()
    {
        ++jobs;
        jobThread = std::this_thread::get_id();
    }
    void Done() { ++dones; }
    void ThrowCore() { throw TarnEngine::SEngineException("can't find texture:SKY"); }
    void ThrowStd() { throw std::runtime_error("bad alloc somewhere"); }
    void ThrowOther() { throw 42; }
};

class WorkerTest : public ::testing::Test {
protected:
    void SetUp() override { hooks::HookMessageBox(true); }
    void TearDown() override { hooks::ResetAll(); }

    void RunWorker(void (Owner::*job)(), bool withDone)
    {
        SBackgroundWorker worker;
        worker.SetJob(boost::make_shared<UI::SUIEvent<Owner>>(job, &m_Owner));
        if (withDone) worker.SetDoneEvent(boost::make_shared<UI::SUIEvent<Owner>>(&Owner::Done, &m_Owner));
        worker.Start();
        worker.Join();
        m_Failed = worker.HasFailed();
        m_FailureText = worker.GetFailureText();
    }

    Owner m_Owner;
    tarn_test::LogCapture m_Log;
    bool m_Failed = false;
    std::string m_FailureText;
};

} // namespace

TEST_F(WorkerTest, RunsJobThenDoneOnItsOwnThread)
{
    RunWorker(&Owner::Job, true);
    EXPECT_EQ(1, m_Owner.dones);
    EXPECT_NE(std::this_thread::get_id(), m_Owner.jobThread);
    RunWorker(&Owner::Job, false);
    EXPECT_EQ(2, m_Owner.jobs);
    EXPECT_FALSE(m_Failed);
    EXPECT_TRUE(hooks::MessageBoxCalls().empty());
}

TEST_F(WorkerTest, FailureIsShownLoggedAndRecordedAndSkipsDone)
{
    struct Case {
        void (Owner::*job)();
        const char* boxText; // nullptr: no box
        const char* logged;
        const char* recorded;
    } cases[] = {
        {&Owner::ThrowCore, "can't find texture:SKY", " TarnCoreException:can't find texture:SKY\n",
         "can't find texture:SKY"},
        {&Owner::ThrowStd, "bad alloc somewhere", " exception:bad alloc somewhere\n", "bad alloc somewhere"},
        {&Owner::ThrowOther, nullptr, " unhandled exception\n", "unhandled exception"},
    };
    for (const Case& c : cases) {
        tarn_test::LogCapture log;
        hooks::ClearMessageBoxCalls();
        m_Owner.dones = 0;
        RunWorker(c.job, true);
        std::vector<hooks::MessageBoxCall> boxes = hooks::MessageBoxCalls();
        if (c.boxText) {
            ASSERT_EQ(1u, boxes.size()) << c.logged;
            EXPECT_EQ(c.boxText, boxes[0].text);
            EXPECT_EQ(0u, boxes[0].flags);
        } else {
            EXPECT_TRUE(boxes.empty());
        }
        std::string text = log.Text();
        EXPECT_NE(std::string::npos, text.find(c.logged)) << text;
        EXPECT_EQ(0, m_Owner.dones);
        EXPECT_TRUE(m_Failed);
        EXPECT_EQ(c.recorded, m_FailureText);
    }
}

TEST(Threads, StartFailureThrowsWithContext)
{
    struct Idle : SThread {
        void Run() override {}
    } thread;
    hooks::InjectOnce("_beginthreadex", E_FAIL);
    try {
        thread.Start();
        FAIL() << "nothing thrown";
    } catch (const SCore::TarnCoreException& e) {
        EXPECT_EQ(0u, std::string(e.what()).find("can't start thread SThread::Start() Src\\SThread at:"))
            << e.what();
    }
    EXPECT_FALSE(thread.IsStarted());
    hooks::ResetAll();
}

TEST(Threads, JoinWaitsForTheBodyAndCanBeRepeated)
{
    struct Counter : SThread {
        std::atomic<int> runs{0};
        void Run() override { ++runs; }
    } thread;
    thread.Start();
    EXPECT_TRUE(thread.IsStarted());
    thread.Join();
    EXPECT_EQ(1, thread.runs.load());
    EXPECT_FALSE(thread.IsStarted());
    thread.Join();
}

TEST(Threads, LockGuardIsRecursiveForItsOwnerAndExcludesOthers)
{
    SLockGuard guard;
    CriticalSectionLock outer(guard.Section());
    {
        CriticalSectionLock inner(guard.Section());
        BOOL otherGotIt = TRUE;
        std::thread other([&] {
            otherGotIt = TryEnterCriticalSection(&guard.Section());
            if (otherGotIt) LeaveCriticalSection(&guard.Section());
        });
        other.join();
        EXPECT_FALSE(otherGotIt);
    }
}
