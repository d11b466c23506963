#include "game/gameplay/services/RGToolType.h"

#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

namespace {

using tarn_test::StartsWith;
using tarn_test::ThrownText;

TEST(ToolTypeTest, ToolTypesHaveTheirFileNames)
{
    const char* const names[] = {"RGTT_WALL", "RGTT_BRIDGE", "RGTT_WINDRIGHT", "RGTT_WINDLEFT", "RGTT_TELEPORT"};
    for (uint32_t type = 0; type < 5; ++type) EXPECT_EQ(names[type], Runegarden::ToolTypeToString(type));
    EXPECT_TRUE(StartsWith(ThrownText([] { Runegarden::ToolTypeToString(5); }), "unknown tool type ToolTypeToString()"));
}

} // namespace
