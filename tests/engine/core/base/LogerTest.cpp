#include "engine/core/base/SLoger.h"
#include "engine/core/base/SOutputDeviceFile.h"
#include "platform/testing.h"
#include "tests/support/TempDir.h"

#include <boost/make_shared.hpp>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

using SCore::GetCurrentDateTime;
using SCore::SOutputDeviceFile;
namespace hooks = platform::testing;

namespace {

class LogerTest : public ::testing::Test {
protected:
    void SetUp() override { m_Previous = gLoger.GetDevice(); }
    void TearDown() override
    {
        gLoger.SetDevice(m_Previous);
        hooks::ResetAll();
    }
    void LogToFile(const std::string& name)
    {
        m_Path = m_Dir.File(name);
        gLoger.SetDevice(boost::make_shared<SOutputDeviceFile>(m_Dir.WFile(name).c_str()));
    }
    std::string FileBytes() const { return tarn_test::ReadBytes(m_Path); }

    tarn_test::TempDir m_Dir;
    std::string m_Path;
    boost::shared_ptr<SCore::SOutputDevice> m_Previous;
};

} // namespace

TEST_F(LogerTest, StampPadsHourWithBlankAndTheRestWithZeros)
{
    struct Case {
        hooks::LocalTime time;
        const char* stamp;
    } cases[] = {
        {{2026, 12, 5, 9, 5, 7}, "2026-12-05  9:05:07"},
        {{2026, 12, 31, 23, 59, 59}, "2026-12-31 23:59:59"},
    };
    for (const Case& c : cases) {
        hooks::SetFakeLocalTime(c.time);
        EXPECT_EQ(c.stamp, GetCurrentDateTime());
    }
}

TEST_F(LogerTest, EntriesReachTheFileAtOnceAsUtf8WithCrLfAndWhole)
{
    hooks::SetFakeLocalTime({2026, 12, 5, 9, 5, 7});
    LogToFile("log.txt");
    gLoger << GetCurrentDateTime() << " Loaded ";
    gLoger << 42u << " textures in " << 7u << " milliseconds.\n";
    // High bytes are widened differently for strings and C strings.
    gLoger << std::string("\xE9") << "\xE9";
    const std::string line(5000, 'x');
    gLoger << line;
    // No destruction or close yet: each write is already in the file.
    EXPECT_EQ("2026-12-05  9:05:07 Loaded 42 textures in 7 milliseconds.\r\n\xEF\xBF\xA9\xC3\xA9" + line, FileBytes());
}

TEST_F(LogerTest, LinesLoggedBeforeAnAbortAreInTheFile)
{
    std::string path = m_Dir.File("crash.txt");
    std::wstring wpath = m_Dir.WFile("crash.txt");
    EXPECT_DEATH(
        {
            gLoger.SetDevice(boost::make_shared<SOutputDeviceFile>(wpath.c_str()));
            gLoger << " before the crash\n";
            std::abort();
        },
        "");
    EXPECT_EQ(" before the crash\r\n", tarn_test::ReadBytes(path));
}

TEST_F(LogerTest, NothingIsWrittenBeforeAFileIsInstalledAndShutdownClosesIt)
{
    gLoger.Shutdown();
    gLoger << " dropped\n";
    LogToFile("log.txt");
    gLoger << " kept\n";
    gLoger.Shutdown();
    gLoger << " dropped too\n";
    EXPECT_EQ(" kept\r\n", FileBytes());
}

TEST_F(LogerTest, UnopenableFileSaysSoOnStderrAndLosesWritesQuietly)
{
    ::testing::internal::CaptureStderr();
    auto device = boost::make_shared<SOutputDeviceFile>(m_Dir.WFile("missing/folder/log.txt").c_str());
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, err.find("missing/folder/log.txt")) << err;
    gLoger.SetDevice(device);
    gLoger << " lost\n";
    EXPECT_FALSE(device->IsGood());
}

TEST_F(LogerTest, AFileReopenedForEachWriteWorksAgainAfterAFailedWrite)
{
    auto device = boost::make_shared<SOutputDeviceFile>(m_Dir.WFile("log.txt").c_str());
    device->m_ReopenMode = 1;
    m_Path = m_Dir.File("log.txt");
    gLoger.SetDevice(device);
    hooks::InjectOnce("write", E_FAIL);
    gLoger << " lost\n";
    EXPECT_FALSE(device->IsGood());
    gLoger << " kept\n";
    EXPECT_TRUE(device->IsGood());
    EXPECT_EQ(" kept\r\n", FileBytes());
}
