#include "platform/win32.h"
#include "platform/testing.h"

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
}

} // namespace
