#include "game/app/play/RGFrame.h"

#include "game/gameplay/services/RGToolType.h"

#include "tests/game/app/application/GameFixture.h"

#include <gtest/gtest.h>

using namespace Runegarden;

namespace {

class RGFrameTest : public apptest::GameTest {};

TEST_F(RGFrameTest, PlayFieldAndSpellSlotsFollowTheLayout)
{
    Start();
    RGFrame& frame = *m_Game->GetFrame();
    EXPECT_EQ(frame.m_PlayViewport.X, 128u);
    EXPECT_EQ(frame.m_PlayViewport.Y, 0u);
    EXPECT_EQ(frame.m_PlayViewport.Width, 896u);
    EXPECT_EQ(frame.m_PlayViewport.Height, 732u);

    frame.m_Spells.clear();
    for (uint32_t tool = 0; tool < 5; ++tool) frame.AddTool(ToolTypeToString(tool));
    const char* textures[] = {"SPELLWALL", "SPELLBRIDGE", "SPELLWINDRIGHT", "SPELLWINDLEFT", "SPELLTELEPORT"};
    int n = 0;
    for (const RGFrameEntry& entry : frame.m_Spells) {
        EXPECT_FLOAT_EQ(entry.sprite->m_Position.X, 0.188f + 0.075f * n);
        EXPECT_FLOAT_EQ(entry.sprite->m_Position.Y, 0.915f);
        EXPECT_EQ(entry.sprite->m_Material.m_Texture1->GetName(), textures[n]);
        ++n;
    }
    EXPECT_EQ(n, 5);
}

} // namespace
