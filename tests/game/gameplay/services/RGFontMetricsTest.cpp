// The font metrics table: what a later entry and a broken file leave in it.
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/STextureFont.h"
#include "game/gameplay/services/RGFontMetrics.h"
#include "tests/support/TempDir.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

using namespace Runegarden;

namespace {

class RGFontMetricsTest : public ::testing::Test {
protected:
    std::wstring Write(const std::string& children)
    {
        tarn_test::WriteBytes(m_Dir.File("font.xml"), "<font>" + children + "</font>");
        return m_Dir.WFile("font.xml");
    }
    tarn_test::TempDir m_Dir;
};

} // namespace

TEST_F(RGFontMetricsTest, ALaterCodeWinsAndTheFontKeepsItsOwnValuesForOtherCodes)
{
    RGFontMetrics table;
    table.Load(Write("<c code=\"48\" index=\"1\" width=\"0.4\"></c><x code=\"58\" index=\"2\" width=\"0.2\"></x>"
                     "<c code=\"48\" index=\"3\" width=\"0.5\"></c>"));
    TarnEngine::STextureFont font(16, 16, 1);
    font.m_Cells[65] = 9;
    table.Apply(font);
    font.SetText("00:00");
    EXPECT_FLOAT_EQ(4 * 0.5f + 0.2f, font.GetTextWidth());
    EXPECT_EQ(3u, font.m_Cells[48]);
    EXPECT_EQ(2u, font.m_Cells[58]);
    EXPECT_EQ(9u, font.m_Cells[65]);
}

TEST_F(RGFontMetricsTest, AnEmptyTableIsEmptyAndABrokenOneKeepsWhatWasRead)
{
    RGFontMetrics table;
    table.Load(Write(""));
    EXPECT_TRUE(table.GetEntries().empty());
    EXPECT_THROW(table.Load(Write("<c code=\"48\" index=\"1\" width=\"0.4\"></c><c code=\"49\" index=\"2\"></c>")),
                 SCore::TarnCoreException);
    EXPECT_EQ(1u, table.GetEntries().size());
}
