#include "platform/files.h"
#include "platform/testing.h"

#include "tests/support/TempFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

using platformtest::ScopedEnv;
using tarn_test::ReadBytes;
using tarn_test::WriteBytes;

namespace pt = platform::testing;

namespace {

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

    std::string At(const std::string& rel) const { return rel.empty() ? Tmp() : m_Tmp.File(rel); }
    std::string Tmp() const { return m_Tmp.Path().string(); }
    std::wstring W(const std::string& rel) const { return Utf8ToWide(At(rel)); }

    tarn_test::TempDir m_Tmp;
};

TEST_F(FoldersTest, DocumentsFolderFollowsXdgThenHomeThenWorkingDirectory)
{
    ASSERT_EQ(::mkdir(At("blocked").c_str(), 0777), 0);
    WriteBytes(At("blocked/Documents"), "not a folder");
    platformtest::ScopedCwd cwd(Tmp());
    const struct {
        const char* xdg; // below the temporary folder; nullptr unsets
        const char* home;
        BOOL create;
        const char* expected;
    } cases[] = {
        {"xdg/docs/", "home/", TRUE, "xdg/docs"}, // made with its parents, no trailing '/'
        {"", "home/", TRUE, "home/Documents"},
        {nullptr, "blocked", TRUE, "blocked"},  // Documents cannot be made there
        {nullptr, nullptr, TRUE, ""},
        {"missing", "home", FALSE, "home/Documents"}, // without create a missing folder is skipped
    };
    for (const auto& c : cases) {
        ScopedEnv xdg("XDG_DOCUMENTS_DIR", c.xdg ? (*c.xdg ? At(c.xdg).c_str() : "") : nullptr);
        ScopedEnv home("HOME", c.home ? At(c.home).c_str() : nullptr);
        EXPECT_EQ(Documents(c.create), At(c.expected)) << (c.xdg ? c.xdg : "-") << " " << (c.home ? c.home : "-");
        EXPECT_TRUE(IsFolder(At(c.expected)));
    }
    EXPECT_FALSE(IsFolder(At("missing")));
    // A relative setting is made absolute against the working directory.
    ScopedEnv relative("XDG_DOCUMENTS_DIR", "rel/docs");
    EXPECT_EQ(Documents(), At("rel/docs"));
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
    WriteBytes(At("file"), "x");
    EXPECT_TRUE(CreateDirectoryW(W("Save").c_str(), nullptr));
    EXPECT_TRUE(PathIsDirectoryW(W("save").c_str())); // case-insensitive lookup
    EXPECT_FALSE(PathIsDirectoryW(W("file").c_str()));
    EXPECT_FALSE(PathIsDirectoryW(L""));
    EXPECT_FALSE(CreateDirectoryW(W("SAVE").c_str(), nullptr)); // exists already
    EXPECT_FALSE(CreateDirectoryW(W("a/b").c_str(), nullptr));  // parent missing
    EXPECT_FALSE(IsFolder(At("a")));
    EXPECT_TRUE(CreateDirectoryW(Utf8ToWide(Tmp() + "\\save\\Sub\\").c_str(), nullptr)); // mapped path
    EXPECT_TRUE(IsFolder(At("Save/Sub")));

    pt::InjectOnce("CreateDirectoryW", E_FAIL);
    EXPECT_FALSE(CreateDirectoryW(W("Other").c_str(), nullptr));
    EXPECT_FALSE(IsFolder(At("Other")));
}

TEST_F(FoldersTest, CurrentDirectoryReportsLengthOrNeededSize)
{
    ASSERT_EQ(::mkdir(At("d\xC3\xA9").c_str(), 0777), 0);
    platformtest::ScopedCwd cwd(At("d\xC3\xA9"));
    const std::wstring expected = W("d\xC3\xA9");
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

    // PYTHONPATH alone is a list of paths, mapped to the POSIX form.
    ScopedEnv python("PYTHONPATH", nullptr);
    ASSERT_EQ(::mkdir(At("Scripts").c_str(), 0777), 0);
    const std::wstring list = W("") + L"\\scripts\\;" + W("") + L"\\lib;";
    EXPECT_TRUE(SetEnvironmentVariableW(L"PYTHONPATH", list.c_str()));
    EXPECT_EQ(std::string(std::getenv("PYTHONPATH")), At("Scripts/:") + At("lib"));
}

TEST_F(FoldersTest, MoveReplacesOnlyWhenAskedAndDeleteRemovesFilesOnly)
{
    WriteBytes(At("users.xml.tmp"), "new");
    WriteBytes(At("users.xml"), "old");
    EXPECT_FALSE(MoveFileExW(W("users.xml.tmp").c_str(), W("users.xml").c_str(), 0));
    EXPECT_EQ(ReadBytes(At("users.xml")), "old");
    EXPECT_TRUE(MoveFileExW(W("USERS.xml.tmp").c_str(), W("users.xml").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadBytes(At("users.xml")), "new");

    ASSERT_EQ(::mkdir(At("dir").c_str(), 0777), 0);
    EXPECT_TRUE(DeleteFileW(W("USERS.xml").c_str()));
    EXPECT_FALSE(DeleteFileW(W("users.xml").c_str()));
    EXPECT_FALSE(DeleteFileW(W("dir").c_str()));
    EXPECT_TRUE(IsFolder(At("dir")));
}

} // namespace
