#include "platform/files.h"

#include "tests/support/TempFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

using tarn_test::WriteBytes;

namespace {

TEST(NativePathTest, SeparatorsAreMappedAndExistingNamesMatchIgnoringCaseFirstInByteOrder)
{
    tarn_test::TempDir tmp;
    const std::string root = tmp.Path().string();
    ASSERT_EQ(::mkdir(tmp.File("Levels").c_str(), 0777), 0);
    ASSERT_EQ(::mkdir(tmp.File("Levels/Pack").c_str(), 0777), 0);
    WriteBytes(tmp.File("Levels/Pack/Level1.XML"), "x");
    // Two names that differ only in case: the first in byte order wins ("B" < "b").
    WriteBytes(tmp.File("Levels/b.txt"), "lower");
    WriteBytes(tmp.File("Levels/B.TXT"), "upper");
    WriteBytes(tmp.File("caf\xC3\xA9.txt"), "x");
    platformtest::ScopedCwd cwd(root);

    struct Case {
        std::wstring given;
        std::string mapped;
    };
    const Case cases[] = {
        {L"", ""},
        {L"a\\\\b//c\\/d", "a/b/c/d"},
        {L"\\abs\\Path", "/abs/Path"},
        {L"..\\up\\x", "../up/x"},
        {L"levels\\pack\\level1.xml", "Levels/Pack/Level1.XML"},
        {L"LEVELS\\PACK\\", "Levels/Pack/"},
        {L"Levels\\b.txt", "Levels/b.txt"}, // exact names come first
        {L"levels\\b.TxT", "Levels/B.TXT"},
        {Utf8ToWide(root) + L"\\levels\\PACK\\level1.xml", root + "/Levels/Pack/Level1.XML"},
        // A file being created keeps its name in the resolved folder; below a missing folder
        // nothing can match and the rest is kept as given.
        {L"levels\\New.Tmp", "Levels/New.Tmp"},
        {L"levels\\Missing\\levels", "Levels/Missing/levels"},
        // Names on disk are UTF-8.
        {{L'C', L'A', L'F', wchar_t(0xE9), L'.', L't', L'x', L't'}, "caf\xC3\xA9.txt"},
    };
    for (const Case& c : cases) EXPECT_EQ(NativePath(c.given), c.mapped) << WideToUtf8(c.given);
    EXPECT_EQ(NativePath(std::string("LEVELS\\\\pack//level1.xml")), "Levels/Pack/Level1.XML") << "the byte form";
}

} // namespace
