// Level packs: order, current level, name and index queries, reading again and building the current
// level.
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/levels/RGLevelPack.h"
#include "game/gameplay/levels/RGLevelPacks.h"
#include "tests/game/gameplay/world/WorldFixture.h"
#include "tests/support/LogCapture.h"

#include <array>

using namespace Runegarden;

namespace {

class RGLevelPackTest : public WorldTest {
protected:
    // A pack of levels (pack name, level file name, show name) written into the temporary folder.
    RGLevelPack& Pack(const std::vector<std::array<std::string, 3>>& levels)
    {
        std::string pack = "<LevelPack>";
        for (const auto& l : levels) {
            tarn_test::WriteBytes(m_Dir.File(l[1] + ".xml"),
                                  "<Level Name=\"" + l[1] + "\" ShowName=\"" + l[2] + "\"></Level>");
            pack += "<Level Path=\"" + m_Dir.File(l[1] + ".xml") + "\" Name=\"" + l[0] + "\"></Level>";
        }
        tarn_test::WriteBytes(m_Dir.File("pack.xml"), pack + "</LevelPack>");
        SCore::SXMLDeserializator in(m_Dir.WFile("pack.xml"));
        m_Pack.DoDeserialize(in);
        return m_Pack;
    }
    RGLevelPack m_Pack;
};

} // namespace

TEST_F(RGLevelPackTest, LevelsKeepFileOrderAreFoundByTheirPackNamesNothingPastTheLastAndReadAgainReplace)
{
    RGLevelPack& pack = Pack({{"first", "a", "1-1"}, {"second", "b", "1-2"}, {"second", "c", "1-3"}});
    EXPECT_EQ("first", pack.GetCurrentLevelName());
    EXPECT_EQ("1-2", pack.GetLevelShowName(1)); // from the level's file, while the name is the pack's
    EXPECT_EQ(1u, pack.GetLevelIndex("second"));
    EXPECT_EQ(0u, pack.GetLevelIndex("nowhere"));
    EXPECT_EQ(3u, pack.GetLevelIndex("done"));
    pack.SetCurrentLevel("second");
    pack.SetCurrentLevel("nowhere");
    EXPECT_EQ(1u, pack.GetCurrentIndex());
    pack.SetCurrentLevel("None");
    EXPECT_EQ("done", pack.GetCurrentLevelShowName());
    EXPECT_TRUE(StartsWith(ThrownText([&] { pack.GetLevel(); }), "no current level in level pack"));
    EXPECT_TRUE(StartsWith(ThrownText([&] { pack.GetLevelName(3); }), "level index out of range"));
    pack.SetCurrentLevel("");
    EXPECT_EQ(0u, pack.GetCurrentIndex());
    SCore::SXMLDeserializator again(m_Dir.WFile("pack.xml"));
    pack.DoDeserialize(again); // replaces the levels
    EXPECT_EQ(3u, pack.GetLevelCount());
}

TEST_F(RGLevelPackTest, TheGamesPacksBuildLevelsWithTheConfiguredMovementAndLogTheLoading)
{
    RGLevelPacks::Create();
    SCore::SXMLDeserializator pack(L"Levels\\levelpack.xml");
    RGLevelPacks::Main()->DoDeserialize(pack);
    RGLevelMove move;
    move.m_Force = 2.5f;
    move.m_Attenuation = 0.5f;
    RGLevelPacks::ApplyLevelMove(move);
    EXPECT_FLOAT_EQ(0.5f, RGLevelPacks::Bonus()->m_Attenuation);
    tarn_test::LogCapture log;
    boost::shared_ptr<RGLevel> level = RGLevelPacks::Main()->GetLevel();
    EXPECT_EQ("level1", level->m_Name);
    EXPECT_FLOAT_EQ(2.5f, level->m_MoveForce);
    EXPECT_FLOAT_EQ(0.5f, level->m_Attenuation);
    EXPECT_NE(std::string::npos, log.Text().find(" Loading level[level1] for 0seconds\n"));
}
