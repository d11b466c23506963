#include "engine/core/base/SFPS.h"
#include "platform/testing.h"

#include <gtest/gtest.h>

TEST(FrameCounter, AveragesTheRunningMeansOfABlock)
{
    platform::testing::SetFakeTime(1000);
    SCore::SFPS fps(2);
    // Rates of 100, 50, 1000 (no time passed) and 25 frames a second.
    const struct {
        DWORD at;
        float mean, average;
    } frames[] = {{1010, 50, 0}, {1030, 50, 50}, {1030, 525, 50}, {1070, 275, 400}};
    for (const auto& f : frames) {
        platform::testing::SetFakeTime(f.at);
        EXPECT_EQ(f.mean, fps.Update()) << f.at;
        EXPECT_EQ(f.average, fps.m_Average) << f.at;
    }
    platform::testing::ClearFakeTime();
}
