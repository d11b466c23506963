#include "platform/files.h"
#include "platform/testing.h"

#include "tests/platform/TempFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

using platformtest::ScopedEnv;
using platformtest::TempFolder;
using platformtest::WriteFile;

namespace pt = platform::testing;

namespace {

std::wstring W(const std::string& s) { return Utf8ToWide(s); }

class FoldersTest : public ::testing::Test {
protected:
    void TearDown() override { pt::ResetAll(); }

    // The documents folder as the engine asks for it, or "FALSE" when the call fails.
    static std::string Documents(BOOL create = TRUE)
    {
        wchar_t buf[1024];
        buf[0] = L'?';
        if (!SHGetSpecialFolderPathW(nullptr, buf, CSIDL_PERSONAL, create)) {
            EXPECT_EQ(buf[0], 0) << "a failed call leaves an empty buffer";
            return "FALSE";
        }
        return WideToUtf8(buf);
    }

    static bool IsFolder(const std::string& path)
    {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    TempFolder m_Tmp;
};

TEST_F(FoldersTest, DocumentsFolderFollowsXdgThenHome)
{
    ScopedEnv home("HOME", (m_Tmp / "home/").c_str());
    {
        ScopedEnv xdg("XDG_DOCUMENTS_DIR", (m_Tmp / "xdg/docs/").c_str());
        EXPECT_EQ(Documents(), m_Tmp / "xdg/docs"); // made with its parents, no trailing '/'
        EXPECT_TRUE(IsFolder(m_Tmp / "xdg/docs"));
    }
    {
        ScopedEnv xdg("XDG_DOCUMENTS_DIR", "");
        EXPECT_EQ(Documents(), m_Tmp / "home/Documents");
        EXPECT_TRUE(IsFolder(m_Tmp / "home/Documents"));
    }
}

TEST_F(FoldersTest, DocumentsFolderFallsBackToHomeThenWorkingDirectory)
{
    ScopedEnv xdg("XDG_DOCUMENTS_DIR", nullptr);
    platformtest::ScopedCwd cwd(m_Tmp.Path());
    {
        // $HOME exists but Documents cannot be made in it (a file is in the way).
        ASSERT_EQ(::mkdir((m_Tmp / "home").c_str(), 0777), 0);
        WriteFile(m_Tmp / "home/Documents", "not a folder");
        ScopedEnv home("HOME", (m_Tmp / "home").c_str());
        EXPECT_EQ(Documents(), m_Tmp / "home");
    }
    {
        ScopedEnv home("HOME", nullptr);
        EXPECT_EQ(Documents(), m_Tmp.Path());
    }
    {
        // A relative setting is made absolute against the working directory.
        ScopedEnv relative("XDG_DOCUMENTS_DIR", "rel/docs");
        EXPECT_EQ(Documents(), m_Tmp / "rel/docs");
    }
}

TEST_F(FoldersTest, DocumentsFolderWithoutCreateSkipsMissingFolders)
{
    ScopedEnv xdg("XDG_DOCUMENTS_DIR", (m_Tmp / "missing").c_str());
    ScopedEnv home("HOME", m_Tmp.Path().c_str());
    EXPECT_EQ(Documents(FALSE), m_Tmp.Path());
    EXPECT_FALSE(IsFolder(m_Tmp / "missing"));
}

TEST_F(FoldersTest, DocumentsFolderFailuresLeaveAnEmptyBuffer)
{
    pt::InjectOnce("SHGetSpecialFolderPathW", E_FAIL);
    EXPECT_EQ(Documents(), "FALSE");
    wchar_t buf[1024] = L"x";
    EXPECT_FALSE(SHGetSpecialFolderPathW(nullptr, buf, 0x1A, TRUE)); // not the documents folder
    EXPECT_EQ(buf[0], 0);
}

TEST_F(FoldersTest, CreateDirectoryMakesOnlyTheLastComponent)
{
    EXPECT_TRUE(CreateDirectoryW(W(m_Tmp / "Save").c_str(), nullptr));
    EXPECT_TRUE(PathIsDirectoryW(W(m_Tmp / "save").c_str())); // case-insensitive lookup
    EXPECT_FALSE(CreateDirectoryW(W(m_Tmp / "SAVE").c_str(), nullptr)); // exists already
    EXPECT_FALSE(CreateDirectoryW(W(m_Tmp / "a/b").c_str(), nullptr));  // parent missing
    EXPECT_FALSE(IsFolder(m_Tmp / "a"));
    EXPECT_TRUE(CreateDirectoryW(W(m_Tmp.Path() + "\\save\\Sub\\").c_str(), nullptr)); // mapped path
    EXPECT_TRUE(IsFolder(m_Tmp / "Save/Sub"));

    pt::InjectOnce("CreateDirectoryW", E_FAIL);
    EXPECT_FALSE(CreateDirectoryW(W(m_Tmp / "Other").c_str(), nullptr));
    EXPECT_FALSE(IsFolder(m_Tmp / "Other"));
    EXPECT_EQ(pt::CallCount("CreateDirectoryW"), 5u);
}

TEST_F(FoldersTest, PathIsDirectoryOnlyForFolders)
{
    WriteFile(m_Tmp / "file", "x");
    EXPECT_TRUE(PathIsDirectoryW(W(m_Tmp.Path()).c_str()));
    EXPECT_FALSE(PathIsDirectoryW(W(m_Tmp / "file").c_str()));
    EXPECT_FALSE(PathIsDirectoryW(W(m_Tmp / "none").c_str()));
    EXPECT_FALSE(PathIsDirectoryW(L""));
}

TEST_F(FoldersTest, CurrentDirectoryReportsLengthOrNeededSize)
{
    ASSERT_EQ(::mkdir((m_Tmp / "d\xC3\xA9").c_str(), 0777), 0);
    platformtest::ScopedCwd cwd(m_Tmp / "d\xC3\xA9");
    const std::wstring expected = W(m_Tmp / "d\xC3\xA9");
    wchar_t buf[1024];
    EXPECT_EQ(GetCurrentDirectoryW(1024, buf), expected.size());
    EXPECT_EQ(std::wstring(buf), expected);
    EXPECT_EQ(GetCurrentDirectoryW(DWORD(expected.size()), buf), expected.size() + 1);
}

TEST_F(FoldersTest, EnvironmentVariables)
{
    ScopedEnv var("TARN_TEST_VAR", nullptr);
    char buf[8];
    EXPECT_EQ(GetEnvironmentVariableA("TARN_TEST_VAR", buf, sizeof buf), 0u);
    EXPECT_TRUE(SetEnvironmentVariableA("TARN_TEST_VAR", ""));
    EXPECT_EQ(GetEnvironmentVariableA("TARN_TEST_VAR", buf, sizeof buf), 0u); // empty counts as missing
    EXPECT_TRUE(SetEnvironmentVariableW(L"TARN_TEST_VAR", L"a\\b;c"));         // not a path list
    EXPECT_EQ(GetEnvironmentVariableA("TARN_TEST_VAR", buf, sizeof buf), 5u);
    EXPECT_STREQ(buf, "a\\b;c");
    EXPECT_TRUE(SetEnvironmentVariableA("TARN_TEST_VAR", "12345678"));
    EXPECT_EQ(GetEnvironmentVariableA("TARN_TEST_VAR", buf, sizeof buf), 9u); // needed size
    EXPECT_TRUE(SetEnvironmentVariableA("TARN_TEST_VAR", nullptr));
    EXPECT_EQ(std::getenv("TARN_TEST_VAR"), nullptr);
}

TEST_F(FoldersTest, PythonPathBecomesAPosixList)
{
    ScopedEnv var("PYTHONPATH", nullptr);
    ASSERT_EQ(::mkdir((m_Tmp / "Scripts").c_str(), 0777), 0);
    const std::wstring list = W(m_Tmp.Path()) + L"\\scripts\\;" + W(m_Tmp.Path()) + L"\\lib;";
    EXPECT_TRUE(SetEnvironmentVariableW(L"PYTHONPATH", list.c_str()));
    EXPECT_EQ(std::string(std::getenv("PYTHONPATH")), m_Tmp / "Scripts/:" + (m_Tmp / "lib"));
}

TEST_F(FoldersTest, MoveFileReplacesOnlyWhenAsked)
{
    WriteFile(m_Tmp / "users.xml.tmp", "new");
    WriteFile(m_Tmp / "users.xml", "old");
    EXPECT_FALSE(MoveFileExW(W(m_Tmp / "users.xml.tmp").c_str(), W(m_Tmp / "users.xml").c_str(), 0));
    EXPECT_EQ(platformtest::ReadFile(m_Tmp / "users.xml"), "old");
    EXPECT_TRUE(MoveFileExW(W(m_Tmp / "USERS.xml.tmp").c_str(), W(m_Tmp / "users.xml").c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(platformtest::ReadFile(m_Tmp / "users.xml"), "new");
    EXPECT_FALSE(PathIsDirectoryW(W(m_Tmp / "users.xml.tmp").c_str()));
    EXPECT_FALSE(MoveFileExW(W(m_Tmp / "gone").c_str(), W(m_Tmp / "x").c_str(), 0));

    pt::InjectOnce("MoveFileExW", E_FAIL);
    EXPECT_FALSE(MoveFileExW(W(m_Tmp / "users.xml").c_str(), W(m_Tmp / "moved").c_str(), 0));
    EXPECT_EQ(platformtest::ReadFile(m_Tmp / "users.xml"), "new");
}

TEST_F(FoldersTest, DeleteFileRemovesFilesOnly)
{
    WriteFile(m_Tmp / "Doomed.tmp", "x");
    ASSERT_EQ(::mkdir((m_Tmp / "dir").c_str(), 0777), 0);
    EXPECT_TRUE(DeleteFileW(W(m_Tmp / "doomed.TMP").c_str()));
    EXPECT_FALSE(DeleteFileW(W(m_Tmp / "Doomed.tmp").c_str()));
    EXPECT_FALSE(DeleteFileW(W(m_Tmp / "dir").c_str()));
    EXPECT_TRUE(IsFolder(m_Tmp / "dir"));
}

} // namespace
