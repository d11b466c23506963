#include "platform/files.h"

#include "tests/platform/TempFolder.h"

#include <ostream>

#include <gtest/gtest.h>

using platformtest::TempFolder;
using platformtest::WriteFile;

namespace {

std::wstring W(const std::string& s) { return Utf8ToWide(s); }

TEST(ReadFileBytesTest, TextModeTurnsOnlyCrLfIntoLf)
{
    TempFolder tmp;
    const std::string bytes = std::string("a\r\nb\rc\n\r\r\nd\r\0\xFF", 13);
    WriteFile(tmp / "f.txt", bytes);
    std::string out;
    ASSERT_TRUE(ReadFileBytes(W(tmp / "F.TXT"), true, out));
    EXPECT_EQ(out, std::string("a\nb\rc\n\r\nd\r\0\xFF", 11));
    ASSERT_TRUE(ReadFileBytes(W(tmp / "f.txt"), false, out));
    EXPECT_EQ(out, bytes);
}

TEST(ReadFileBytesTest, LargeFileArrivesWhole)
{
    TempFolder tmp;
    std::string bytes;
    for (int i = 0; i < 200000; ++i) bytes += (i % 100 == 99) ? "\r\n" : "x";
    WriteFile(tmp / "big", bytes);
    std::string out;
    ASSERT_TRUE(ReadFileBytes(W(tmp / "big"), true, out));
    EXPECT_EQ(out.size(), bytes.size() - 2000);
    EXPECT_EQ(out.find('\r'), std::string::npos);
}

TEST(ReadFileBytesTest, MissingFileAndFolderFail)
{
    TempFolder tmp;
    std::string out = "stale";
    EXPECT_FALSE(ReadFileBytes(W(tmp / "missing.xml"), true, out));
    EXPECT_EQ(out, "");
    EXPECT_FALSE(ReadFileBytes(W(tmp.Path()), false, out));
}

std::string WriteThroughStream(const std::string& path, const std::wstring& text)
{
    Utf8CrLfStreamBuf buf;
    EXPECT_TRUE(buf.open(W(path), false));
    std::wostream out(&buf);
    out << text;
    out.flush();
    EXPECT_TRUE(out.good());
    EXPECT_TRUE(buf.close(true));
    return platformtest::ReadFile(path);
}

TEST(Utf8CrLfStreamBufTest, EncodesEachUnitOnItsOwnAndNewlineAsCrLf)
{
    TempFolder tmp;
    struct Case {
        std::wstring text;
        std::string bytes;
    };
    const Case cases[] = {
        {{wchar_t(0x7F)}, "\x7F"},
        {{wchar_t(0x80)}, "\xC2\x80"},
        {{wchar_t(0xE9)}, "\xC3\xA9"},
        {{wchar_t(0x7FF)}, "\xDF\xBF"},
        {{wchar_t(0x800)}, "\xE0\xA0\x80"},
        {{wchar_t(0x20AC)}, "\xE2\x82\xAC"},
        {{wchar_t(0xFFFF)}, "\xEF\xBF\xBF"},
        // A surrogate pair is not combined: two three-byte sequences.
        {{wchar_t(0xD83D), wchar_t(0xDE00)}, "\xED\xA0\xBD\xED\xB8\x80"},
        {L"a\nb\n", "a\r\nb\r\n"},
        {L"\r\n", "\r\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(WriteThroughStream(tmp / "out.txt", c.text), c.bytes);
}

TEST(Utf8CrLfStreamBufTest, LongLinesAndAppendArriveWhole)
{
    TempFolder tmp;
    const std::wstring line(5000, wchar_t(0xE9));
    EXPECT_EQ(WriteThroughStream(tmp / "log.txt", line + L"\n").size(), 10002u);

    Utf8CrLfStreamBuf buf;
    ASSERT_TRUE(buf.open(W(tmp / "log.txt"), true));
    std::wostream out(&buf);
    out << L'x' << L"yz";
    EXPECT_TRUE(buf.close());
    const std::string bytes = platformtest::ReadFile(tmp / "log.txt");
    EXPECT_EQ(bytes.size(), 10005u);
    EXPECT_EQ(bytes.substr(10000), "\r\nxyz");
}

TEST(Utf8CrLfStreamBufTest, FailedWriteShowsInStreamAndClose)
{
    Utf8CrLfStreamBuf buf;
    ASSERT_TRUE(buf.open(L"/dev/full", false));
    std::wostream out(&buf);
    out << L"lost";
    EXPECT_TRUE(out.good()); // still buffered
    out.flush();
    EXPECT_TRUE(out.bad());
    EXPECT_FALSE(buf.close());
    EXPECT_FALSE(buf.is_open());
}

TEST(Utf8CrLfStreamBufTest, FailedFlushOnCloseIsReported)
{
    Utf8CrLfStreamBuf buf;
    ASSERT_TRUE(buf.open(L"/dev/full", false));
    std::wostream out(&buf);
    out << L"lost";
    EXPECT_FALSE(buf.close(true));
}

TEST(Utf8CrLfStreamBufTest, UnopenableFileAndWritesWhileClosedFail)
{
    TempFolder tmp;
    Utf8CrLfStreamBuf buf;
    EXPECT_FALSE(buf.open(W(tmp / "no/such/folder/f.txt"), false));
    EXPECT_FALSE(buf.is_open());
    std::wostream out(&buf);
    out << L"x";
    EXPECT_TRUE(out.bad());
    EXPECT_FALSE(buf.close());
}

} // namespace
