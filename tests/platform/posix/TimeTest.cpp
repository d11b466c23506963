#include "platform/win32.h"
#include "platform/testing.h"

#include "tests/support/TempFolder.h"


#include <gtest/gtest.h>

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
