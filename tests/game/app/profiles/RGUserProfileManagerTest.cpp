#include "game/app/profiles/RGUserProfileManager.h"

#include "platform/testing.h"

#include "tests/game/app/profiles/ProfileTestSupport.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <tuple>

namespace pt = platform::testing;
using Runegarden::RGUserProfile;
using Runegarden::RGUserProfileManager;

namespace {

class RGUserProfileManagerTest : public ::testing::Test {
protected:
    void TearDown() override { pt::ResetAll(); }

    std::vector<std::wstring> Names(const RGUserProfileManager& m)
    {
        std::vector<std::wstring> names;
        for (const auto& p : m.m_Profiles) names.push_back(p->Name);
        return names;
    }

    apptest::SaveFolder m_Save;
};

const char* const kThreeProfiles =
    "<Users>\n"
    "<Userprofiles Current=\"B\" MusicVolume=\"0.5\" SoundVolume=\"0.25\" IsFullScreen=\"0\">\n"
    "<Userprofile Name=\"A\" Score=\"1200\" Lifes=\"4\" Level=\"1-2\" LevelShowName=\"Meadow\" "
    "BonusLevel=\"b1\" BonusLevelShowName=\"Bonus\">\n"
    "<Trophies><Trophy Id=\"0\"/><Trophy Id=\"29\"/></Trophies>\n"
    "<DoneBonusLevels><BonusLevel Id=\"2\"/><BonusLevel Id=\"2\"/></DoneBonusLevels>\n"
    "</Userprofile>\n"
    "<Userprofile Name=\"B\" Score=\"7\" Lifes=\"5\" Level=\"\" BonusLevel=\"\"/>\n"
    "<Userprofile Name=\"C\" Score=\"0\" Lifes=\"1\" Level=\"done\" BonusLevel=\"\"/>\n"
    "</Userprofiles>\n"
    "<HighScore><Score Name=\"A\" Level=\"Meadow\" BestScore=\"1200\"/></HighScore>\n"
    "</Users>\n";

TEST_F(RGUserProfileManagerTest, FreshStartMakesTheSaveFolderAndTheFirstSaveHoldsTheNewPlayer)
{
    RGUserProfileManager manager;
    manager.CreateProfile(L"ZED");
    ASSERT_TRUE(manager.Save());
    EXPECT_EQ(m_Save.ReadUsers(),
              "<Users>\r\n"
              "  <Userprofiles Current=\"ZED\" MusicVolume=\"1\" SoundVolume=\"1\" IsFullScreen=\"1\">\r\n"
              "    <Userprofile Name=\"ZED\" Score=\"0\" Lifes=\"5\" Level=\"\" LevelShowName=\"\" "
              "BonusLevel=\"\" BonusLevelShowName=\"\">\r\n"
              "      <Trophies></Trophies>\r\n"
              "      <DoneBonusLevels></DoneBonusLevels>\r\n"
              "    </Userprofile>\r\n"
              "  </Userprofiles>\r\n"
              "  <HighScore>\r\n"
              "    <Score Name=\"ZED\" Level=\"\" BestScore=\"0\"></Score>\r\n"
              "  </HighScore>\r\n"
              "</Users>");
}

TEST_F(RGUserProfileManagerTest, LoadThenSaveKeepsEveryFieldTheOrderAndTheModeAndSavingAgainWritesTheSameBytes)
{
    m_Save.WriteUsers(kThreeProfiles);
    std::filesystem::permissions(m_Save.Users(), std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_write |
                                                     std::filesystem::perms::group_read);
    RGUserProfileManager manager;
    manager.CreateProfile(L"D");
    manager.SelectProfile(L"B");
    manager.m_HighScore.AddScore(L"X", "", 7); // the current player's row will tie with it
    ASSERT_TRUE(manager.Save());
    const std::string first = m_Save.ReadUsers();
    ASSERT_TRUE(manager.Save());
    EXPECT_EQ(m_Save.ReadUsers(), first);
    EXPECT_EQ(std::filesystem::status(m_Save.Users()).permissions(), std::filesystem::perms(0640));

    RGUserProfileManager reread;
    EXPECT_EQ(Names(reread), (std::vector<std::wstring>{L"D", L"A", L"B", L"C"}));
    ASSERT_TRUE(reread.GetCurrent());
    EXPECT_EQ(reread.GetCurrent()->Name, L"B");
    EXPECT_EQ(std::make_tuple(reread.MusicVolume, reread.SoundVolume, reread.IsFullScreen),
              std::make_tuple(0.5f, 0.25f, false));
    const RGUserProfile& a = **reread.FindProfile(L"A");
    EXPECT_EQ(std::make_tuple(a.Score, a.Lifes, a.Level, a.LevelShowName, a.BonusLevel, a.BonusLevelShowName),
              std::make_tuple(1200u, 4, std::string("1-2"), std::string("Meadow"), std::string("b1"),
                              std::string("Bonus")));
    EXPECT_EQ(a.DoneBonusLevels, (std::vector<uint32_t>{2, 2}));
    std::vector<int32_t> trophies(30, 0);
    trophies[0] = trophies[29] = 1;
    EXPECT_EQ(a.Trophies, trophies);
    EXPECT_EQ(apptest::Rows(reread.m_HighScore), (apptest::ScoreRows{{L"A", 1200}, {L"X", 7}, {L"B", 7}}))
        << "the save refreshed the current player's row";
}

TEST_F(RGUserProfileManagerTest, AProfileSavedWithoutLivesReadsBackWithOneAndItsProgress)
{
    RGUserProfileManager manager;
    for (const wchar_t* name : {L"NIL", L"NEG"}) manager.CreateProfile(name);
    (*manager.FindProfile(L"NIL"))->Lifes = 0;
    (*manager.FindProfile(L"NEG"))->Lifes = -1; // two deaths in the last frame
    for (const auto& profile : manager.m_Profiles) profile->Level = "lvl4";
    ASSERT_TRUE(manager.Save());
    EXPECT_NE(m_Save.ReadUsers().find("Lifes=\"0\""), std::string::npos) << "stored as it was";

    RGUserProfileManager reread;
    for (const wchar_t* name : {L"NIL", L"NEG"}) {
        const RGUserProfile& p = **reread.FindProfile(name);
        EXPECT_EQ(std::make_tuple(p.Lifes, p.Level), std::make_tuple(1, std::string("lvl4")));
    }
}

TEST_F(RGUserProfileManagerTest, LoadVariantsOfTheFile)
{
    const struct {
        const char* what;
        std::string text;
        std::vector<std::wstring> names;
        std::wstring current; // empty: none
        float music, sound;
        size_t highScores;
    } cases[] = {
        {"no Users element", "<Userprofiles Current=\"A\" MusicVolume=\"1\" SoundVolume=\"1\">"
                             "<Userprofile Name=\"A\" Score=\"0\" Lifes=\"5\" Level=\"\" BonusLevel=\"\"/>"
                             "</Userprofiles><HighScore><Score Name=\"A\" Level=\"\" BestScore=\"3\"/></HighScore>",
         {L"A"}, L"A", 1.0f, 1.0f, 1},
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF<Users><Userprofiles Current=\"A\" MusicVolume=\"1\" SoundVolume=\"1\">"
                                    "<Userprofile Name=\"A\" Score=\"0\" Lifes=\"5\" Level=\"\" BonusLevel=\"\"/>"
                                    "</Userprofiles></Users>",
         {L"A"}, L"A", 1.0f, 1.0f, 0},
        {"volumes out of range", "<Users><Userprofiles Current=\"\" MusicVolume=\"1.7\" SoundVolume=\"-0.2\"/></Users>",
         {}, L"", 1.0f, 0.0f, 0},
        {"Current naming nobody", "<Users><Userprofiles Current=\"ZED\" MusicVolume=\"1\" SoundVolume=\"1\">"
                                  "<Userprofile Name=\"ANN\" Score=\"0\" Lifes=\"5\" Level=\"\" BonusLevel=\"\"/>"
                                  "<Userprofile Name=\"BEA\" Score=\"0\" Lifes=\"5\" Level=\"\" BonusLevel=\"\"/>"
                                  "</Userprofiles></Users>",
         {L"ANN", L"BEA"}, L"ANN", 1.0f, 1.0f, 0},
        {"a stray line after the document", std::string(kThreeProfiles) + "saved by hand\n</Users>\n",
         {L"A", L"B", L"C"}, L"B", 0.5f, 0.25f, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_Save.WriteUsers(c.text);
        RGUserProfileManager manager;
        EXPECT_EQ(Names(manager), c.names);
        EXPECT_EQ(manager.GetCurrent() ? manager.GetCurrent()->Name : L"", c.current);
        EXPECT_EQ(std::make_tuple(manager.MusicVolume, manager.SoundVolume, manager.m_HighScore.m_Entries.size()),
                  std::make_tuple(c.music, c.sound, c.highScores));
        EXPECT_TRUE(std::filesystem::exists(m_Save.Users())) << "a readable file stays";
    }
}

TEST_F(RGUserProfileManagerTest, TrophySetsAndIdsBeyondTheSlots)
{
    const struct {
        unsigned from, to; // the ids held, both included
        bool set1, set2, all;
    } cases[] = {{0, 14, true, false, false}, {0, 13, false, false, false}, {15, 29, false, true, false},
                 {0, 30, true, true, true}};
    for (const auto& c : cases) {
        std::string trophies;
        for (unsigned id = c.from; id <= c.to; ++id) trophies += "<Trophy Id=\"" + std::to_string(id) + "\"/>";
        m_Save.WriteUsers("<Users><Userprofiles Current=\"A\" MusicVolume=\"1\" SoundVolume=\"1\">"
                          "<Userprofile Name=\"A\" Score=\"0\" Lifes=\"5\" Level=\"\" BonusLevel=\"\"><Trophies>" +
                          trophies + "</Trophies></Userprofile></Userprofiles></Users>");
        tarn_test::LogCapture log;
        RGUserProfileManager manager;
        ASSERT_EQ(manager.m_Profiles.size(), 1u) << c.to;
        const RGUserProfile& p = *manager.m_Profiles.front();
        EXPECT_EQ(std::make_tuple(p.TrophySet1Complete, p.TrophySet2Complete, p.AllTrophySetsComplete),
                  std::make_tuple(c.set1, c.set2, c.all)) << c.from << ".." << c.to;
        EXPECT_EQ(log.Text().find("trophy id 30 ignored") != std::string::npos, c.to == 30u);
    }
}

TEST_F(RGUserProfileManagerTest, UnreadableFileIsPutAsideAndTheDefaultsAreUsed)
{
    const std::string secondUsers = "<Users><Userprofiles Current=\"Z\" MusicVolume=\"1\" SoundVolume=\"1\">"
                                     "<Userprofile Name=\"Z\" Score=\"0\" Lifes=\"5\" Level=\"\" BonusLevel=\"\"/>"
                                     "</Userprofiles></Users>";
    const struct {
        std::string text;
        const char* why; // nullptr: read all the same
        bool joined; // top-level elements beside those read
        std::vector<std::wstring> names;
    } broken[] = {
        {"<Users><Userprofiles Current=\"A\"", "XMLAttribute not found", false, {}},
        {"<Users><Userprofiles MusicVolume=\"1\" SoundVolume=\"1\"/></Users>", "Attribute:Current not found", false, {}},
        {"<Users><Userprofiles Current=\"A\" MusicVolume=\"1\" SoundVolume=\"1\">"
         "<Userprofile Name=\"A\" Score=\"lots\" Lifes=\"5\" Level=\"\" BonusLevel=\"\"/></Userprofiles></Users>",
         "", false, {}},
        {"saved by hand\n" + std::string(kThreeProfiles), "text outside the root element", false, {}},
        {"<Players>" + std::string(kThreeProfiles) + "</Players>", "no Users element", false, {}},
        {"<Users><HighScore><Score Name=\"A\" Level=\"\" BestScore=\"3\"/></HighScore></Users>",
         "no Userprofiles element", false, {}},
        {kThreeProfiles, "Permission denied", false, {}}, // there, but it cannot be opened
        // Two files joined: a save would keep only the element read.
        {std::string(kThreeProfiles) + secondUsers, nullptr, true, {L"Z"}},
        {std::string(kThreeProfiles) + "<HighScore></HighScore>", nullptr, true, {L"A", L"B", L"C"}},
        {std::string(kThreeProfiles) + "<Users></Users>", "no Userprofiles element", true, {}},
        {"<Userprofiles Current=\"A\" MusicVolume=\"1\" SoundVolume=\"1\"></Userprofiles>"
         "<Userprofiles Current=\"\" MusicVolume=\"1\" SoundVolume=\"1\">"
         "<Userprofile Name=\"Y\" Score=\"0\" Lifes=\"5\" Level=\"\" BonusLevel=\"\"/></Userprofiles>",
         nullptr, true, {L"Y"}},
    };
    pt::SetFakeLocalTime({2026, 12, 6, 21, 4, 5});
    for (const auto& c : broken) {
        SCOPED_TRACE(c.text);
        m_Save.WriteUsers(c.text);
        if (c.why && std::string(c.why) == "Permission denied") pt::InjectOnce("ReadFileBytes", E_FAIL);
        tarn_test::LogCapture log;
        RGUserProfileManager manager;
        EXPECT_EQ(Names(manager), c.names);
        EXPECT_FALSE(std::filesystem::exists(m_Save.Users()));
        const std::string aside = m_Save.File("users.xml.bad-2026-12-06_21-04-05");
        EXPECT_EQ(tarn_test::ReadBytes(aside), apptest::Closed(c.text));
        if (c.why) {
            EXPECT_NE(log.Text().find(std::string("users.xml can't be read: ") + c.why), std::string::npos) << log.Text();
        }
        EXPECT_EQ(log.Text().find("users.xml holds more top-level elements than are read") != std::string::npos, c.joined)
            << log.Text();
        EXPECT_NE(log.Text().find("users.xml renamed to " + aside + ";"), std::string::npos) << log.Text();
        ASSERT_TRUE(manager.Save());
        EXPECT_EQ(tarn_test::ReadBytes(aside), apptest::Closed(c.text)) << "a save leaves the file put aside alone";
    }
}

TEST_F(RGUserProfileManagerTest, AFileThatCanNeitherBeOpenedNorPutAsideIsNeverSavedOver)
{
    m_Save.WriteUsers(kThreeProfiles);
    pt::InjectOnce("ReadFileBytes", E_FAIL);
    pt::InjectOnce("MoveFileExW", E_FAIL);
    tarn_test::LogCapture log;
    RGUserProfileManager manager;
    manager.CreateProfile(L"NEW");
    EXPECT_FALSE(manager.Save());
    EXPECT_FALSE(manager.Save());
    EXPECT_EQ(m_Save.ReadUsers(), apptest::Closed(kThreeProfiles));
    EXPECT_NE(log.Text().find("users.xml not saved: "), std::string::npos) << log.Text();
}

TEST_F(RGUserProfileManagerTest, FailedSaveKeepsThePreviousFileAndSaysSo)
{
    const struct {
        const char* what;
        std::function<void(RGUserProfileManager&)> breakIt;
    } cases[] = {
        {"killed before the rename", [](RGUserProfileManager&) { pt::InjectOnce("MoveFileExW", E_FAIL); }},
        {"a name with a double quote", [](RGUserProfileManager& m) { m.GetCurrent()->Name = L"A\"B"; }},
        {"no save folder", [](RGUserProfileManager& m) { m.m_SaveFolder += L"gone\\"; }},
    };
    for (const auto& c : cases) {
        m_Save.WriteUsers(kThreeProfiles);
        RGUserProfileManager manager;
        manager.SetScore(99999);
        c.breakIt(manager);
        tarn_test::LogCapture log;
        EXPECT_FALSE(manager.Save()) << c.what;
        EXPECT_EQ(m_Save.ReadUsers(), apptest::Closed(kThreeProfiles)) << c.what;
        EXPECT_FALSE(std::filesystem::exists(m_Save.File("users.xml.tmp"))) << c.what;
        EXPECT_NE(log.Text().find("users.xml not saved: can't write file:["), std::string::npos) << c.what;
        EXPECT_EQ(manager.GetCurrent()->Score, 99999u) << c.what << ": the state in memory stays";
        pt::ClearInjections();
    }
}

TEST_F(RGUserProfileManagerTest, SaveWithoutACurrentProfileWritesAnEmptyCurrent)
{
    for (bool withProfiles : {true, false}) {
        if (withProfiles)
            m_Save.WriteUsers(kThreeProfiles);
        else
            std::filesystem::remove(m_Save.Users());
        RGUserProfileManager manager;
        manager.m_Current.reset();
        const size_t rows = manager.m_HighScore.m_Entries.size();
        ASSERT_TRUE(manager.Save()) << withProfiles;
        EXPECT_NE(m_Save.ReadUsers().find("Current=\"\""), std::string::npos) << withProfiles;
        EXPECT_EQ(manager.m_HighScore.m_Entries.size(), rows) << withProfiles;
    }
}

TEST_F(RGUserProfileManagerTest, ConcurrentSavesBothLeaveAReadableFile)
{
    m_Save.WriteUsers(kThreeProfiles);
    RGUserProfileManager manager;
    bool saved[2] = {false, false};
    std::thread other([&] { saved[0] = manager.Save(); });
    saved[1] = manager.Save();
    other.join();
    EXPECT_TRUE(saved[0] && saved[1]);
    RGUserProfileManager reread;
    EXPECT_EQ(Names(reread), (std::vector<std::wstring>{L"A", L"B", L"C"}));
}

TEST_F(RGUserProfileManagerTest, SelectAndScoreLeaveThingsAloneWhenThereIsNoOne)
{
    RGUserProfileManager empty;
    empty.SetScore(100);
    EXPECT_TRUE(apptest::Rows(empty.m_HighScore).empty());

    m_Save.WriteUsers(kThreeProfiles);
    RGUserProfileManager manager;
    manager.SelectProfile(L"nobody");
    EXPECT_EQ(manager.GetCurrent()->Name, L"B");
    manager.SetScore(100);
    EXPECT_EQ(manager.GetCurrent()->Score, 100u);
    EXPECT_EQ(apptest::Rows(manager.m_HighScore), (apptest::ScoreRows{{L"A", 1200}, {L"B", 100}}));
}

} // namespace
