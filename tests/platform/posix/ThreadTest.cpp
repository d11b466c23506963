#include "platform/win32.h"
#include "platform/testing.h"

#include <atomic>
#include <future>
#include <thread>

#include <gtest/gtest.h>

namespace pt = platform::testing;

namespace {

class ThreadTest : public ::testing::Test {
protected:
    void SetUp() override { InitializeCriticalSection(&m_Section); }
    void TearDown() override
    {
        DeleteCriticalSection(&m_Section);
        pt::ResetAll();
    }

    // Runs fn on a thread of the layer and joins it.
    template <class F>
    void RunOnThread(F fn)
    {
        struct Call {
            static unsigned Proc(void* arg)
            {
                (*static_cast<F*>(arg))();
                return 0;
            }
        };
        HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Call::Proc, &fn, 0, nullptr));
        ASSERT_NE(thread, nullptr);
        EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
        EXPECT_TRUE(CloseHandle(thread));
    }

    BOOL TryFromOtherThread()
    {
        BOOL entered = FALSE;
        RunOnThread([&] {
            entered = TryEnterCriticalSection(&m_Section);
            if (entered) LeaveCriticalSection(&m_Section);
        });
        return entered;
    }

    CRITICAL_SECTION m_Section;
};

TEST_F(ThreadTest, CriticalSectionIsRecursiveForItsOwner)
{
    EnterCriticalSection(&m_Section);
    EXPECT_TRUE(TryEnterCriticalSection(&m_Section));
    LeaveCriticalSection(&m_Section);
    EXPECT_FALSE(TryFromOtherThread()); // still entered once
    LeaveCriticalSection(&m_Section);
    EXPECT_TRUE(TryFromOtherThread());
}

TEST_F(ThreadTest, CriticalSectionExcludesAndWakesWaiters)
{
    // Both threads enter twice per step and race for the lock, so waiters sleep and are woken.
    const int kSteps = 200000;
    long counter = 0;
    const auto add = [&] {
        for (int i = 0; i < kSteps; ++i) {
            CriticalSectionLock outer(m_Section);
            CriticalSectionLock inner(m_Section);
            counter = counter + 1;
        }
    };
    std::thread other(add);
    add();
    other.join();
    EXPECT_EQ(2 * kSteps, counter);
}

struct Worker {
    std::atomic<DWORD> seenId{0};
    std::atomic<int> runs{0};
    std::promise<void> finished;

    static unsigned Proc(void* arg)
    {
        Worker* self = static_cast<Worker*>(arg);
        self->seenId = GetCurrentThreadId();
        ++self->runs;
        Sleep(50); // held here while the sleep hook blocks
        self->finished.set_value();
        return 7;
    }
};

TEST_F(ThreadTest, ThreadRunsAtOnceAndIsJoined)
{
    pt::SetSleepMode(pt::SleepMode::Block);
    Worker worker;
    unsigned id = 0;
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Worker::Proc, &worker, 0, &id));
    ASSERT_NE(thread, nullptr);
    ASSERT_TRUE(pt::WaitForSleepCalls(1));
    EXPECT_EQ(worker.seenId.load(), id);
    EXPECT_NE(id, GetCurrentThreadId());
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);

    pt::ReleaseSleepers();
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0); // stays signalled
    EXPECT_EQ(worker.runs.load(), 1);
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_FALSE(CloseHandle(thread));
}

TEST_F(ThreadTest, ClosingARunningThreadDetachesIt)
{
    pt::SetSleepMode(pt::SleepMode::Block);
    Worker worker;
    std::future<void> done = worker.finished.get_future();
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Worker::Proc, &worker, 0, nullptr));
    ASSERT_NE(thread, nullptr);
    ASSERT_TRUE(pt::WaitForSleepCalls(1));
    EXPECT_TRUE(CloseHandle(thread));
    pt::ReleaseSleepers();
    done.wait(); // the detached thread still runs to its end
    EXPECT_EQ(worker.runs.load(), 1);
}

TEST_F(ThreadTest, ThreadWaitingForItselfFailsInsteadOfHanging)
{
    pt::SetSleepMode(pt::SleepMode::Block);
    struct Self {
        std::atomic<HANDLE> handle{nullptr};
        std::atomic<DWORD> result{0};
        static unsigned Proc(void* arg)
        {
            Self* self = static_cast<Self*>(arg);
            Sleep(1); // until the handle is known
            self->result = WaitForSingleObject(self->handle.load(), INFINITE);
            return 0;
        }
    } self;
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Self::Proc, &self, 0, nullptr));
    ASSERT_NE(thread, nullptr);
    self.handle = thread;
    ASSERT_TRUE(pt::WaitForSleepCalls(1));
    pt::ReleaseSleepers();
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(self.result.load(), WAIT_FAILED);
    EXPECT_TRUE(CloseHandle(thread));
}

} // namespace
