#include "game/app/play/RGFrame.h"

#include "game/gameplay/services/RGToolType.h"

#include "tests/game/app/application/GameFixture.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace Runegarden;

namespace {

class RGFrameTest : public apptest::GameTest {};

TEST_F(RGFrameTest, PlayFieldLeavesTheFramesStripsAndEachToolGetsItsSpellPicture)
{
    Start();
    RGFrame& frame = *m_Game->GetFrame();
    const auto& field = frame.m_PlayViewport;
    EXPECT_EQ(std::make_tuple(field.X, field.Y, field.Width, field.Height), std::make_tuple(128u, 0u, 896u, 732u));

    frame.m_Spells.clear();
    for (uint32_t tool = 0; tool < 5; ++tool) frame.AddTool(ToolTypeToString(tool));
    std::vector<std::string> textures;
    for (const RGFrameEntry& entry : frame.m_Spells) textures.push_back(entry.sprite->m_Material.m_Texture1->GetName());
    EXPECT_EQ(textures, (std::vector<std::string>{"SPELLWALL", "SPELLBRIDGE", "SPELLWINDRIGHT", "SPELLWINDLEFT",
                                                  "SPELLTELEPORT"}));
}

TEST_F(RGFrameTest, UpToSevenLivesAreARowOfIconsAndMoreAreOneIconWithTheirNumber)
{
    Start();
    RGFrame& frame = *m_Game->GetFrame();
    const float width = frame.m_LifeIcon->m_Position.Width;
    const struct {
        int32_t lives;
        float lastIconX;
        const wchar_t* label;
    } cases[] = {{7, 0.005f + 6.0f * width, L""}, {8, 0.005f, L"x8"}};
    for (const auto& c : cases) {
        frame.m_Lives = c.lives;
        frame.m_LivesLabel->SetText("");
        frame.Render();
        EXPECT_FLOAT_EQ(frame.m_LifeIcon->m_Position.X, c.lastIconX) << c.lives;
        EXPECT_EQ(frame.m_LivesLabel->GetText(), c.label) << c.lives;
    }
}

} // namespace
