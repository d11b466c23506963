#include "platform/files.h"

#include "tests/support/TempDir.h"

#include <ostream>

#include <gtest/gtest.h>

using tarn_test::ReadBytes;
using tarn_test::TempDir;
using tarn_test::WriteBytes;

namespace {

TEST(ReadFileBytesTest, TextModeTurnsOnlyCrLfIntoLf)
{
    TempDir tmp;
    const std::string bytes = std::string("a\r\nb\rc\n\r\r\nd\r\0\xFF", 13);
    WriteBytes(tmp.File("f.txt"), bytes);
    std::string out;
    ASSERT_TRUE(ReadFileBytes(tmp.WFile("F.TXT"), true, out));
    EXPECT_EQ(out, std::string("a\nb\rc\n\r\nd\r\0\xFF", 11));
    ASSERT_TRUE(ReadFileBytes(tmp.WFile("f.txt"), false, out));
    EXPECT_EQ(out, bytes);
}

TEST(ReadFileBytesTest, LargeFileArrivesWhole)
{
    TempDir tmp;
    std::string bytes;
    for (int i = 0; i < 200000; ++i) bytes += (i % 100 == 99) ? "\r\n" : "x";
    WriteBytes(tmp.File("big"), bytes);
    std::string out;
    ASSERT_TRUE(ReadFileBytes(tmp.WFile("big"), true, out));
    EXPECT_EQ(out.size(), bytes.size() - 2000);
    EXPECT_EQ(out.find('\r'), std::string::npos);
}

TEST(WideTextFileBufTest, ConvertsThroughItsLocaleWritesNewlineAsCrLfAndAppends)
{
    TempDir tmp;
    struct Case {
        std::wstring text;
        std::string bytes;
    };
    const Case cases[] = {
        {{wchar_t(0x7F), L'a'}, "\x7F" "a"},
        {L"a\nb\n", "a\r\nb\r\n"},
        {L"\r\n", "\r\r\n"},
    };
    for (const Case& c : cases) {
        WideTextFileBuf buf;
        ASSERT_TRUE(buf.open(tmp.WFile("out.txt"), false));
        std::wostream out(&buf);
        out << c.text;
        EXPECT_TRUE(buf.close(true));
        EXPECT_EQ(ReadBytes(tmp.File("out.txt")), c.bytes);
    }

    WideTextFileBuf buf;
    ASSERT_TRUE(buf.open(tmp.WFile("out.txt"), true));
    std::wostream out(&buf);
    out << L'x' << L"yz";
    EXPECT_TRUE(buf.close());
    EXPECT_EQ(ReadBytes(tmp.File("out.txt")), "\r\r\nxyz");

    // The "C" locale's facet has no bytes for U+00E9: the file fails instead of losing it quietly.
    ASSERT_TRUE(buf.open(tmp.WFile("out.txt"), false));
    out.clear();
    out << L"a" << wchar_t(0xE9);
    EXPECT_TRUE(out.bad());
    EXPECT_FALSE(buf.close());
}

TEST(WideTextFileBufTest, FailedWritesShowInStreamAndClose)
{
    {
        WideTextFileBuf buf;
        ASSERT_TRUE(buf.open(L"/dev/full", false));
        std::wostream out(&buf);
        out << L"lost";
        EXPECT_TRUE(out.good()); // still buffered
        EXPECT_FALSE(buf.close(true));
        EXPECT_FALSE(buf.is_open());
    }

    TempDir tmp;
    WideTextFileBuf buf;
    EXPECT_FALSE(buf.open(tmp.WFile("no/such/folder/f.txt"), false));
    std::wostream out(&buf);
    out << L"x";
    EXPECT_TRUE(out.bad());
    EXPECT_FALSE(buf.close());
}

} // namespace
