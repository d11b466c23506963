#include "platform/files.h"

#include <gtest/gtest.h>

namespace {

TEST(WideTextTest, ByteHelpersFollowTheirRules)
{
    struct Case {
        char byte;
        wchar_t signedUnit, byteUnit;
    };
    const Case cases[] = {
        {'A', L'A', L'A'},
        {'\x80', 0xFF80, 0x80},
        {'\xFF', 0xFFFF, 0xFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(static_cast<unsigned char>(c.byte)));
        EXPECT_EQ(WidenSigned(c.byte), c.signedUnit);
        EXPECT_EQ(WidenByte(c.byte), c.byteUnit);
        // Both widenings narrow back to the byte.
        EXPECT_EQ(NarrowLow(WidenSigned(c.byte)), c.byte);
        EXPECT_EQ(NarrowLow(WidenByte(c.byte)), c.byte);
    }
    EXPECT_EQ(NarrowLow(wchar_t(0x20AC)), '\xAC');
}

TEST(WideTextTest, StringFormsApplyTheRuleToEveryByte)
{
    const std::string bytes = "a\xE9z";
    EXPECT_EQ(WidenSigned(bytes), std::wstring({L'a', wchar_t(0xFFE9), L'z'}));
    EXPECT_EQ(WidenBytes(bytes), std::wstring({L'a', wchar_t(0xE9), L'z'}));
    EXPECT_EQ(NarrowLow(std::wstring({L'a', wchar_t(0x1E9), wchar_t(0xFFE9)})), "a\xE9\xE9");
}

TEST(WideTextTest, Utf8RoundTripsThroughUtf16Units)
{
    struct Case {
        std::string utf8;
        std::wstring wide;
    };
    const Case cases[] = {
        {"", L""},
        {"a\x7F\xC3\xA9\xE2\x82\xAC", {L'a', wchar_t(0x7F), wchar_t(0xE9), wchar_t(0x20AC)}},
        {"\xF0\x9F\x98\x80", {wchar_t(0xD83D), wchar_t(0xDE00)}}, // a pair, combined
        {"\xED\xA0\xBD", {wchar_t(0xD83D)}},                       // a lone surrogate
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToWide(c.utf8), c.wide);
        EXPECT_EQ(WideToUtf8(c.wide), c.utf8);
    }
}

TEST(WideTextTest, BrokenUtf8BecomesReplacementCharacters)
{
    const wchar_t r = 0xFFFD;
    EXPECT_EQ(Utf8ToWide("a\x80z"), std::wstring({L'a', r, L'z'}));        // stray continuation
    EXPECT_EQ(Utf8ToWide("a\xC3"), std::wstring({L'a', r}));               // cut short at the end
    EXPECT_EQ(Utf8ToWide("\xE2\x82z"), std::wstring({r, L'z'}));           // cut short inside
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), std::wstring({r, r}));               // overlong lead
    EXPECT_EQ(Utf8ToWide("\xE0\x80\xAF"), std::wstring({r}));              // overlong three bytes
    EXPECT_EQ(Utf8ToWide("\xF0\x8F\xBF\xBF"), std::wstring({r}));          // overlong four bytes
    EXPECT_EQ(Utf8ToWide("\xF4\x90\x80\x80"), std::wstring({r}));          // above U+10FFFF
}

} // namespace
