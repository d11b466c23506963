#include "game/app/application/RGStartup.h"

#include "engine/core/base/SLoger.h"
#include "engine/framework/app/WindowProc.h"
#include "game/app/application/RunegardenGame.h"
#include "game/app/profiles/RGUserProfileManager.h"
#include "game/app/screens/RGScoreCount.h"
#include "game/gameplay/objects/RGPYFactory.h"
#include "platform/display.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"
#include "platform/testing_input.h"
#include "platform/testing_render.h"

#include "tests/game/app/profiles/ProfileTestSupport.h"
#include "tests/support/LogCapture.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace pt = platform::testing;
namespace fs = std::filesystem;
using Runegarden::RGStartup;

namespace {

// The shipped configuration with another window size.
std::string ScreenConfig(const std::string& width, const std::string& height)
{
    std::string config = tarn_test::ReadBytes(std::string(TARN_DATA_DIR) + "/config.xml");
    config.replace(config.find("width=\"1024\""), 12, "width=\"" + width + "\"");
    config.replace(config.find("height=\"768\""), 12, "height=\"" + height + "\"");
    return config;
}

class RGStartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pt::ResetAll();
        pt::HookMessageBox(true);
        pt::HookShell(true);
        // Start-up would open the display named in the environment, and a shared X server that
        // resets when its last client leaves refuses that for a moment ("can't open display").
        platform::SetDisplayDriver(platform::DisplayDriver::Headless);
    }
    void TearDown() override
    {
        Runegarden::gProfileManager.reset();
        platform::SetDisplayDriver(platform::DisplayDriver::Auto);
        pt::ResetAll();
    }
    std::string Log() const { return tarn_test::ReadBytes(m_Save.File("log.txt")); }

    apptest::SaveFolder m_Save;
    tarn_test::TempDir m_Work;
};

TEST_F(RGStartupTest, ABrokenConfigurationEndsWithExitCodeOneAndTheChainInTheClosedLog)
{
    pt::SetRenderMode(pt::RenderMode::Headless);
    pt::SetWindowMode(pt::WindowMode::Virtual);
    pt::SetSleepMode(pt::SleepMode::Return);
    const std::string empty = ScreenConfig("0", "768"), tooWide = ScreenConfig("16384", "768"),
                      tooHigh = ScreenConfig("1024", "8193");
    std::string damaged = tarn_test::ReadBytes(std::string(TARN_DATA_DIR) + "/config.xml");
    damaged.replace(damaged.find("Res\\textures.xml"), 16, "Res\\damaged.xml");
    const struct {
        const char* config; // nullptr: no config.xml
        const char* chain;
    } cases[] = {
        {nullptr, "exception:File [config.xml] not found"},
        {"<configuration><screen appname=\"A\" height=\"1\"></screen></configuration>", "exception:Attribute:width not found"},
        {"<configuration><screen", "exception:"},
        // Window sizes the device cannot make are refused as an empty one is, before any window.
        {empty.c_str(), "exception:can't create window"},
        {tooWide.c_str(), "exception:can't create window"},
        {tooHigh.c_str(), "exception:can't create window"},
        // A failure on the loader thread is shown once, by the entry function, as every other.
        {damaged.c_str(), "exception:can't load texture from memory : INVALIDDATA"},
    };
    fs::copy(TARN_DATA_DIR, m_Work.Path(), fs::copy_options::recursive);
    tarn_test::WriteBytes(m_Work.File("Res/damaged.xml"),
                          "<Textures><Texture Name=\"A\" Path=\"Res\\damaged.png\"></Texture></Textures>");
    tarn_test::WriteBytes(m_Work.File("Res/damaged.png"), "\x89PNG\r\n\x1a\n not a picture");
    for (const auto& c : cases) {
        fs::remove(m_Work.File("config.xml"));
        if (c.config) tarn_test::WriteBytes(m_Work.File("config.xml"), c.config);
        platformtest::ScopedCwd cwd(m_Work.Path().string());
        pt::ClearMessageBoxCalls();
        EXPECT_EQ(RGStartup::Run(), 1) << c.chain;
        const std::string log = Log();
        EXPECT_TRUE(tarn_test::StartsWith(log, "##############################################################\r\n"
                                               "###############   MOSSBROOK CINDERWELL  log   ##############\r\n"
                                               "##############################################################\r\n"))
            << log;
        EXPECT_NE(log.find(c.chain), std::string::npos) << log;
        ASSERT_EQ(pt::MessageBoxCalls().size(), 1u);
        EXPECT_NE(log.find(pt::MessageBoxCalls()[0].text), std::string::npos) << "the log holds the shown text";
        EXPECT_FALSE(gLoger.GetDevice()->m_Enabled && gLoger.GetDevice()->DoGetStream()) << "the log is shut down";
    }
}

TEST_F(RGStartupTest, TheGameModulesExitHooksRunWhenTheProgramEnds)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    fs::create_directories(m_Work.File("scripts"));
    tarn_test::WriteBytes(m_Work.File("scripts/rgpy_factory.py"),
                          "import atexit, os\n"
                          "atexit.register(lambda: os.write(2, b'exit hook ran\\n'))\n"
                          "def getGameObjectStateStr(state): return ''\n"
                          "def create(name): return None\n"
                          "def create_sprite_info(*info): return None\n");
    EXPECT_EXIT(
        {
            platformtest::ScopedCwd cwd(m_Work.Path().string());
            const int result = RGStartup::Run(); // no config.xml: the run ends at once
            Runegarden::RGPYFactory::GetModule(); // imported as the game imports it
            std::exit(result == 1 ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "exit hook ran");
}

TEST_F(RGStartupTest, ASaveFolderThatCannotBeMadeIsReportedOnStderrAndTheRunGoesOn)
{
    platformtest::ScopedCwd cwd(m_Work.Path().string());
    pt::InjectOnce("CreateDirectoryW", E_FAIL);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(RGStartup::Run(), 1);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("can't create save folder: "), std::string::npos) << err;
    EXPECT_NE(err.find("Mossbrook_Cinderwell"), std::string::npos) << err;
    EXPECT_NE(pt::MessageBoxCalls().at(0).text.find("File [config.xml] not found"), std::string::npos)
        << "start-up went on to the configuration: " << pt::MessageBoxCalls().at(0).text;
}

TEST_F(RGStartupTest, StoredFullScreenChoiceWinsOverTheConfiguredOne)
{
    const struct {
        const char* users; // nullptr: no users.xml
        bool configured, expected;
    } cases[] = {
        {nullptr, true, true},
        {"<Users><Userprofiles IsFullScreen=\"0\"></Userprofiles></Users>", true, false},
        {"<Userprofiles IsFullScreen=\"1\"></Userprofiles>", false, true},
        {"<Users><Userprofiles></Userprofiles></Users>", false, false},
        {"<Users><Userprofiles IsFullScreen=\"0\"", true, true},
    };
    for (const auto& c : cases) {
        if (c.users) m_Save.WriteUsers(c.users);
        EXPECT_EQ(RGStartup::ReadStoredFullScreen(c.configured), c.expected) << (c.users ? c.users : "none");
    }
}

TEST_F(RGStartupTest, ExitActionsOpenOnlyWebAddressesAndNeverRunWindowsPrograms)
{
    const struct {
        const char* shortcut; // nullptr: no play.url
        bool kiosk;
        size_t opened;
        const char* logged;
    } cases[] = {
        {nullptr, false, 0, ""},
        {"[InternetShortcut]\nURL=https://example.org/play\n", false, 1, " play.url opened"},
        {"[InternetShortcut]\nURL=file:///etc/passwd\n", false, 0, " play.url skipped: "},
        {nullptr, true, 0, " fscommand\\kiosk.exe skipped: Windows programs cannot run here"},
    };
    for (const auto& c : cases) {
        tarn_test::TempDir work;
        if (c.shortcut) tarn_test::WriteBytes(work.File("play.url"), c.shortcut);
        if (c.kiosk) {
            fs::create_directories(work.Path() / "fscommand");
            tarn_test::WriteBytes(work.File("fscommand/kiosk.exe"), "MZ");
        }
        platformtest::ScopedCwd cwd(work.Path().string());
        pt::ClearShellCalls();
        tarn_test::LogCapture log;
        RGStartup::RunExitActions();
        EXPECT_EQ(pt::ShellCalls().size(), c.opened) << c.logged;
        EXPECT_TRUE(*c.logged ? log.Text().find(c.logged) != std::string::npos : log.Text().empty()) << log.Text();
    }
}

// The shipped content up to the run loop, in process, headless; the window is then closed.
TEST_F(RGStartupTest, ShippedContentStartsToTheRunLoopAndEndsCleanlyWhenTheWindowCloses)
{
    pt::SetRenderMode(pt::RenderMode::Headless);
    pt::SetWindowMode(pt::WindowMode::Virtual);
    pt::SetSleepMode(pt::SleepMode::Return);
    platformtest::ScopedCwd cwd(TARN_DATA_DIR);
    boost::shared_ptr<Runegarden::RGScoreCount> count; // kept past the run, to see what start-up gave it
    std::thread closer([&count] {
        for (int i = 0; i < 60000 && !TarnEngine::GetApplication(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (auto* game = dynamic_cast<Runegarden::RunegardenGame*>(TarnEngine::GetApplication()))
            count = game->GetScoreCount();
        pt::InjectCloseRequest();
    });
    const int result = RGStartup::Run();
    closer.join();
    EXPECT_EQ(result, 0) << Log();
    ASSERT_TRUE(count);
    count->m_SpareTime[0] = 150.0f;
    count->CountBonusLives();
    EXPECT_EQ(count->m_Lives, 1u) << "150000 points from none pass the configured 100000";
    const std::string log = Log();
    size_t at = 0;
    for (const char* line : {" Init application", " Init objects", " Presetting texture", " Loading sounds",
                             " Loading level pack", " Loading level comics",
                             " Init Sprites", " Creating first level", " Init objects Done", " Starting complete"}) {
        const size_t found = log.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " after " << at << "\n" << log;
        at = found;
    }
    EXPECT_EQ(log.find("exception"), std::string::npos) << log;
    EXPECT_TRUE(fs::is_directory(m_Save.Folder()));
}

} // namespace
