#include "platform/files.h"
#include "platform/testing.h"

#include "tests/support/TempFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

using tarn_test::WriteBytes;

namespace pt = platform::testing;

namespace {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { pt::HookShell(true); }
    void TearDown() override { pt::ResetAll(); }

    static intptr_t Open(const std::string& file)
    {
        return reinterpret_cast<intptr_t>(
            ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_HIDE));
    }

    tarn_test::TempDir m_Tmp;
};

TEST_F(ShellTest, ShortcutsOpenTheirWebAddressAndOtherFilesTheirMappedPath)
{
    WriteBytes(m_Tmp.File("Website.url"),
               "[Other]\r\nURL=http://wrong.example\r\n[InternetShortcut]\r\nURL=https://example.org/x?y=1\r\n");
    ASSERT_EQ(::mkdir(m_Tmp.File("Docs").c_str(), 0777), 0);
    WriteBytes(m_Tmp.File("Docs/Manual.pdf"), "x");
    platformtest::ScopedCwd cwd(m_Tmp.Path().string());
    EXPECT_GT(Open("website.url"), 32);
    EXPECT_GT(Open("docs\\manual.PDF"), 32);
    ASSERT_EQ(pt::ShellCalls().size(), 2u);
    EXPECT_EQ(pt::ShellCalls()[0].verb, "open");
    EXPECT_EQ(pt::ShellCalls()[0].file, "website.url");
    EXPECT_EQ(pt::ShellCalls()[0].target, "https://example.org/x?y=1");
    EXPECT_EQ(pt::ShellCalls()[1].target, "Docs/Manual.pdf");
}

TEST_F(ShellTest, FailuresAreReportedAndNothingIsStarted)
{
    WriteBytes(m_Tmp.File("ftp.url"), "[InternetShortcut]\nURL=ftp://example.org/\n");
    WriteBytes(m_Tmp.File("empty.url"), "[InternetShortcut]\n");
    WriteBytes(m_Tmp.File("file.txt"), "x");
    struct Case {
        std::string file;
        intptr_t result;
    };
    const Case cases[] = {
        {m_Tmp.File("missing.url"), SE_ERR_FNF},
        {m_Tmp.File("ftp.url"), SE_ERR_NOASSOC},
        {m_Tmp.File("empty.url"), SE_ERR_NOASSOC},
    };
    for (const Case& c : cases) EXPECT_EQ(Open(c.file), c.result) << c.file;
    EXPECT_EQ(reinterpret_cast<intptr_t>(ShellExecuteA(nullptr, "print", m_Tmp.File("file.txt").c_str(),
                                                       nullptr, nullptr, SW_HIDE)),
              SE_ERR_NOASSOC);
    EXPECT_TRUE(pt::ShellCalls().empty());

    pt::HookShell(false);
    platformtest::ScopedEnv path("PATH", m_Tmp.Path().c_str()); // nothing to open with
    EXPECT_EQ(Open(m_Tmp.File("file.txt")), SE_ERR_NOASSOC);
}

TEST_F(ShellTest, WindowsProgramsDoNotRun)
{
    EXPECT_EQ(WinExec("fscommand\\kiosk.exe", SW_SHOWNORMAL), UINT(ERROR_BAD_FORMAT));
    ASSERT_EQ(pt::ShellCalls().size(), 1u);
    EXPECT_EQ(pt::ShellCalls()[0].verb, "exec");
    EXPECT_EQ(pt::ShellCalls()[0].file, "fscommand\\kiosk.exe");
}

} // namespace
