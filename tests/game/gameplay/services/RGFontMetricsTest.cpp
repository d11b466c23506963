// The font metrics table and the configuration's font and view-movement values.
#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/framework/drawables/STextureFont.h"
#include "game/gameplay/services/RGFontMetrics.h"
#include "game/gameplay/services/RGLevelPacks.h"
#include "game/gameplay/services/RGLocalizationFont.h"
#include "platform/files.h"
#include "tests/support/TempDir.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

using namespace Runegarden;

namespace {

class RGFontMetricsTest : public ::testing::Test {
protected:
    RGFontMetrics Load(const std::string& children)
    {
        tarn_test::WriteBytes(m_Dir.File("font.xml"), "<font>" + children + "</font>");
        RGFontMetrics table;
        table.Load(m_Dir.WFile("font.xml"));
        return table;
    }
    tarn_test::TempDir m_Dir;
};

} // namespace

TEST_F(RGFontMetricsTest, ALaterCodeWinsAndTheFontKeepsItsOwnValuesForOtherCodes)
{
    RGFontMetrics table = Load("<c code=\"48\" index=\"1\" width=\"0.4\"></c><x code=\"58\" index=\"2\" width=\"0.2\"></x>"
                               "<c code=\"48\" index=\"3\" width=\"0.5\"></c>");
    TarnEngine::STextureFont font(16, 16, 1);
    font.m_Cells[65] = 9;
    table.Apply(font);
    font.SetText("00:00");
    EXPECT_FLOAT_EQ(4 * 0.5f + 0.2f, font.GetTextWidth());
    EXPECT_EQ(3u, font.m_Cells[48]);
    EXPECT_EQ(2u, font.m_Cells[58]);
    EXPECT_EQ(9u, font.m_Cells[65]);
}

TEST_F(RGFontMetricsTest, AnEmptyTableChangesNothingAndABrokenOneKeepsWhatWasRead)
{
    EXPECT_TRUE(Load("").GetEntries().empty());
    tarn_test::WriteBytes(m_Dir.File("font.xml"),
                          "<font><c code=\"48\" index=\"1\" width=\"0.4\"></c><c code=\"49\" index=\"2\"></c></font>");
    RGFontMetrics table;
    EXPECT_EQ("Attribute:width not found", tarn_test::ThrownText([&] { table.Load(m_Dir.WFile("font.xml")); }).substr(0, 25));
    EXPECT_EQ(1u, table.GetEntries().size());
}

TEST(RGConfigValuesTest, TheShippedConfigurationGivesTheFontAndTheViewMovement)
{
    SCore::SXMLDeserializator in(WidenSigned(std::string(TARN_DATA_DIR) + "/config.xml"));
    in.BeginChild("configuration");
    RGLocalizationFont font;
    font.Deserialize(in);
    RGLevelMove move;
    move.Deserialize(in);
    EXPECT_EQ(L"Res\\fontmetrics.xml", font.m_Path);
    EXPECT_EQ("FONT", font.m_Name);
    EXPECT_EQ(16.0f, font.Columns());
    EXPECT_EQ(1.0f, font.m_Indent.Width);
    EXPECT_FLOAT_EQ(1.1f, move.m_Force);
    EXPECT_FLOAT_EQ(1.0f, move.m_Attenuation);
}
