// The font metrics table and the configuration's font and view-movement values.
#include "engine/core/base/TarnCoreException.h"
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

TEST(RGConfigValuesTest, TheShippedConfigurationGivesTheMetricsFileAndTheViewMovement)
{
    SCore::SXMLDeserializator in(WidenSigned(std::string(TARN_DATA_DIR) + "/config.xml"));
    in.BeginChild("configuration");
    RGLocalizationFont font;
    font.Deserialize(in);
    RGLevelMove move;
    move.Deserialize(in);
    EXPECT_EQ(L"Res\\fontmetrics.xml", font.m_Path);
    EXPECT_FLOAT_EQ(1.1f, move.m_Force);
    EXPECT_FLOAT_EQ(1.0f, move.m_Attenuation);
}
