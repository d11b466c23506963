#include "engine/core/base/FileUtils.h"
#include "engine/core/base/TarnCoreException.h"
#include "tests/support/ThrownText.h"
#include "tests/support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

using SCore::ReadWholeFile;
using SCore::ReadWholeFileBinary;
using tarn_test::ThrownText;

TEST(FileUtils, TextModeTurnsCrLfIntoLfAndBinaryModeKeepsIt)
{
    tarn_test::TempDir dir;
    tarn_test::WriteBytes(dir.File("a.xml"), "<a>\r\n</a>\r\n\xE9");
    EXPECT_EQ("<a>\n</a>\n\xE9", ReadWholeFile(dir.WFile("a.xml")));
    std::vector<char> bytes = ReadWholeFileBinary(dir.WFile("a.xml"));
    EXPECT_EQ("<a>\r\n</a>\r\n\xE9", std::string(bytes.begin(), bytes.end()));
}

TEST(FileUtils, MissingFileOrFolderThrowsThePathAsGiven)
{
    tarn_test::TempDir dir;
    EXPECT_EQ("File [Levels\\nope.xml] not found", ThrownText([] { ReadWholeFile(L"Levels\\nope.xml"); }));
    // A folder opens on Linux; reading it must still fail.
    EXPECT_EQ("File [" + dir.Path().string() + "] not found", ThrownText([&] { ReadWholeFile(dir.Path().wstring()); }));
    EXPECT_THROW(ReadWholeFileBinary(L"Levels\\nope.xml"), SCore::TarnCoreException);
}

TEST(FileUtils, DocumentsFolderFollowsXdgAndIsCreated)
{
    tarn_test::TempDir dir;
    const char* old = std::getenv("XDG_DOCUMENTS_DIR");
    std::string saved = old ? old : "";
    setenv("XDG_DOCUMENTS_DIR", dir.File("docs").c_str(), 1);
    std::wstring path = SCore::GetMyDocumentsPath();
    if (old) setenv("XDG_DOCUMENTS_DIR", saved.c_str(), 1); else unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(dir.WFile("docs"), path);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("docs")));
}
