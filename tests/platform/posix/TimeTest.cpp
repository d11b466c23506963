#include "platform/win32.h"
#include "platform/testing.h"

#include "tests/support/TempFolder.h"


#include <gtest/gtest.h>

#include <chrono>

namespace pt = platform::testing;

namespace {

class TimeTest : public ::testing::Test {
protected:
    void TearDown() override { pt::ResetAll(); }
};

TEST_F(TimeTest, FakeClockWrapsModulo32Bits)
{
    pt::SetFakeTime(0xFFFFFFF0u);
    EXPECT_EQ(timeGetTime(), 0xFFFFFFF0u);
    pt::AdvanceFakeTime(0x20);
    EXPECT_EQ(timeGetTime(), 0x10u);
    // Callers measure with unsigned differences, which survive the wrap.
    EXPECT_EQ(DWORD(timeGetTime() - 0xFFFFFFF0u), 0x20u);
    pt::ClearFakeTime();
    EXPECT_FALSE(pt::IsFakeTimeSet());
    EXPECT_LT(timeGetTime(), 0x80000000u); // the real clock counts from the layer's start
}

// The real clock counts whole milliseconds of the monotonic clock. Each reading is bracketed by
// two readings of that clock, so however long the thread is held up between them, the real clock
// has moved from its first reading by no less and no more than the brackets allow.
TEST_F(TimeTest, TheRealClockMovesWithTheMonotonicClockInMilliseconds)
{
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::time_point t) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count();
    };
    const Clock::time_point before0 = Clock::now();
    const DWORD first = timeGetTime();
    const Clock::time_point after0 = Clock::now();
    DWORD previous = first;
    // A few milliseconds of readings, so that both the milliseconds and what lies below them move.
    for (Clock::time_point before = before0; ms(before) - ms(after0) < 3;) {
        before = Clock::now();
        const DWORD now = timeGetTime();
        const Clock::time_point after = Clock::now();
        const long long moved = static_cast<long long>(now - first);
        ASSERT_GE(moved, ms(before) - ms(after0));
        ASSERT_LE(moved, ms(after) - ms(before0));
        ASSERT_GE(now, previous) << "never runs back";
        previous = now;
    }
}

TEST_F(TimeTest, SleepIsRecordedAndReturnsOrAdvancesTheClock)
{
    Sleep(0); // real sleeps keep no log, so a long-running program holds none
    EXPECT_TRUE(pt::SleepCalls().empty());
    pt::SetSleepMode(pt::SleepMode::Return);
    Sleep(1000);
    EXPECT_FALSE(pt::IsFakeTimeSet());

    pt::SetFakeTime(0xFFFFFF00u);
    pt::SetSleepMode(pt::SleepMode::AdvanceClock);
    Sleep(200);
    Sleep(100);
    EXPECT_EQ(timeGetTime(), 0x2Cu);

    EXPECT_EQ(pt::SleepCalls().size(), 3u);

    pt::ClearFakeTime(); // advancing starts an unset clock
    Sleep(50);
    EXPECT_TRUE(pt::IsFakeTimeSet());
    const DWORD before = timeGetTime();
    Sleep(50);
    EXPECT_EQ(timeGetTime() - before, 50u);
}

TEST_F(TimeTest, MessageBoxWithoutDisplayWritesToStderr)
{
    platformtest::ScopedEnv display("DISPLAY", nullptr);
    platformtest::ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "can't load", nullptr, MB_OK), IDOK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error: can't load\n");
}

} // namespace
