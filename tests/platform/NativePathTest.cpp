#include "platform/files.h"

#include "tests/platform/TempFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

using platformtest::TempFolder;
using platformtest::WriteFile;

namespace {

TEST(NativePathTest, SeparatorsAreMappedAndCollapsed)
{
    TempFolder tmp;
    platformtest::ScopedCwd cwd(tmp.Path());
    struct Case {
        const char* given;
        const char* mapped;
    };
    // Nothing exists here, so names stay as given and only separators change.
    const Case cases[] = {
        {"", ""},
        {"Levels\\levelpack.xml", "Levels/levelpack.xml"},
        {"a\\\\b//c\\/d", "a/b/c/d"},
        {"splash\\", "splash/"},
        {"\\abs\\Path", "/abs/Path"},
        {"..\\up\\x", "../up/x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NativePath(std::string(c.given)), c.mapped) << c.given;
        EXPECT_EQ(NativePath(WidenBytes(c.given)), c.mapped) << c.given;
    }
}

TEST(NativePathTest, ExistingNamesMatchIgnoringCaseFirstInByteOrder)
{
    TempFolder tmp;
    ASSERT_EQ(::mkdir((tmp / "Levels").c_str(), 0777), 0);
    ASSERT_EQ(::mkdir((tmp / "Levels/Pack").c_str(), 0777), 0);
    WriteFile(tmp / "Levels/Pack/Level1.XML", "x");
    // Two names that differ only in case: the first in byte order wins ("B" < "b").
    WriteFile(tmp / "Levels/b.txt", "lower");
    WriteFile(tmp / "Levels/B.TXT", "upper");
    platformtest::ScopedCwd cwd(tmp.Path());

    struct Case {
        std::string given;
        std::string mapped;
    };
    const Case cases[] = {
        {"levels\\pack\\level1.xml", "Levels/Pack/Level1.XML"},
        {"LEVELS\\PACK\\", "Levels/Pack/"},
        {"Levels\\b.txt", "Levels/b.txt"}, // exact names come first
        {"levels\\b.TxT", "Levels/B.TXT"},
        {tmp.Path() + "\\levels\\PACK\\level1.xml", tmp.Path() + "/Levels/Pack/Level1.XML"},
    };
    for (const Case& c : cases) EXPECT_EQ(NativePath(c.given), c.mapped) << c.given;
}

TEST(NativePathTest, FileBeingCreatedKeepsItsNameInAResolvedFolder)
{
    TempFolder tmp;
    ASSERT_EQ(::mkdir((tmp / "Save").c_str(), 0777), 0);
    WriteFile(tmp / "Save/Users.xml", "x");
    platformtest::ScopedCwd cwd(tmp.Path());

    EXPECT_EQ(NativePath(std::wstring(L"save\\New.Tmp")), "Save/New.Tmp");
    // An existing entry still matches the last component.
    EXPECT_EQ(NativePath(std::wstring(L"save\\users.XML")), "Save/Users.xml");
    // Below a missing folder nothing can match: the rest is kept as given.
    EXPECT_EQ(NativePath(std::wstring(L"save\\Missing\\save")), "Save/Missing/save");
}

TEST(NativePathTest, NonAsciiNamesAreUtf8OnDisk)
{
    TempFolder tmp;
    WriteFile(tmp / "caf\xC3\xA9.txt", "x");
    platformtest::ScopedCwd cwd(tmp.Path());
    EXPECT_EQ(NativePath(std::wstring({L'C', L'A', L'F', wchar_t(0xE9), L'.', L't', L'x', L't'})),
              "caf\xC3\xA9.txt");
}

} // namespace
