#include "engine/core/base/utf8_conversion.h"

#include "engine/core/base/SOutputDeviceFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <locale>
#include <string>
#include <tuple>

namespace {

typedef std::codecvt<wchar_t, char, std::mbstate_t> Conversion;
typedef std::codecvt_base::result Result;
const Result kOk = std::codecvt_base::ok, kPartial = std::codecvt_base::partial;

// Reached the way a stream reaches it: through a locale.
const Conversion& Facet()
{
    static const std::locale locale(std::locale::classic(), new SCore::utf8_conversion);
    return std::use_facet<Conversion>(locale);
}

// One call of the facet with room for `room` results: what came out, the result, how much of
// the input was used.
template <typename To, typename From, typename Call>
std::tuple<std::basic_string<To>, Result, size_t> Convert(const std::basic_string<From>& from, size_t room, Call call)
{
    std::mbstate_t state{};
    const From* next = nullptr;
    std::basic_string<To> out(room, To());
    To* outNext = nullptr;
    const Result result = call(state, from.data(), from.data() + from.size(), next, &out[0], &out[0] + room, outNext);
    return std::make_tuple(out.substr(0, size_t(outNext - &out[0])), result, size_t(next - from.data()));
}

TEST(Utf8Conversion, WritesEachUnitOnItsOwnAndStopsPartialWhenTheNextOneHasNoRoom)
{
    const struct {
        std::wstring units;
        size_t room;
        std::string bytes;
        Result result;
        size_t consumed;
    } cases[] = {
        {{wchar_t(0x7F)}, 8, "\x7F", kOk, 1},
        {{wchar_t(0xE9)}, 8, "\xC3\xA9", kOk, 1},
        {{wchar_t(0x20AC)}, 8, "\xE2\x82\xAC", kOk, 1},
        {{wchar_t(0x80), wchar_t(0x7FF), wchar_t(0x800), wchar_t(0xFFFF)}, 16,
         "\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF", kOk, 4},
        {{wchar_t(0xD83D), wchar_t(0xDE00)}, 8, "\xED\xA0\xBD\xED\xB8\x80", kOk, 2}, // a pair stays two units
        {L"ab", 2, "ab", kOk, 2},
        {{L'a', wchar_t(0x20AC)}, 3, "a", kPartial, 1}, // "ok" here would tell the caller all was written
        {{wchar_t(0xE9)}, 1, "", kPartial, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Convert<char>(c.units, c.room, [](auto&&... a) { return Facet().out(a...); }),
                  std::make_tuple(c.bytes, c.result, c.consumed));
}

TEST(Utf8Conversion, ReadsSequencesByTheirLeadingOnesKeepingSixteenBits)
{
    const struct {
        std::string bytes;
        size_t room;
        std::wstring units;
        Result result;
        size_t consumed;
    } cases[] = {
        {"\xC3\xA9", 8, {wchar_t(0xE9)}, kOk, 2},
        {"\xE2\x82\xAC", 8, {wchar_t(0x20AC)}, kOk, 3},
        {"\xF0\x9F\x98\x80", 8, {wchar_t(0xF600)}, kOk, 4},                        // U+1F600 cut to 16 bits
        {"\x80" "A" "\xBF", 8, {wchar_t(0), L'A', wchar_t(0x3F)}, kOk, 3},         // stray bytes stand alone
        {"\xC3" "A", 8, {wchar_t(0xC1)}, kOk, 2},                                  // what follows a lead is taken
        {"\xFF\xBF\xBF\xBF\xBF\xBF\xBF", 8, {wchar_t(0xFFFF)}, kOk, 7},            // 0xFF leads seven bytes
        {"A\xE2\x82", 8, L"A", kPartial, 1},                                       // input ends inside a sequence
        {"AB", 1, L"A", kPartial, 1},                                              // no room for the rest
    };
    for (const auto& c : cases)
        EXPECT_EQ(Convert<wchar_t>(c.bytes, c.room, [](auto&&... a) { return Facet().in(a...); }),
                  std::make_tuple(c.units, c.result, c.consumed));
    EXPECT_EQ(Facet().encoding(), 2);
    EXPECT_FALSE(Facet().always_noconv());
}

TEST(Utf8Conversion, TheFileDeviceWritesThroughItWithCrLf)
{
    tarn_test::TempDir dir;
    const std::wstring euros(5000, wchar_t(0x20AC)); // many times what the file buffer converts at once
    {
        SCore::SOutputDeviceFile device(dir.WFile("out.txt").c_str());
        *device.DoGetStream() << std::wstring{wchar_t(0x7F), wchar_t(0x80), L'\n'} << euros;
        ASSERT_TRUE(device.Close(true));
    }
    std::string expected = "\x7F\xC2\x80\r\n";
    for (size_t i = 0; i < euros.size(); ++i) expected += "\xE2\x82\xAC";
    EXPECT_EQ(tarn_test::ReadBytes(dir.File("out.txt")), expected);
}

} // namespace
