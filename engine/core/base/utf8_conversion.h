#pragma once
// The file device's conversion between 16-bit code units and UTF-8 bytes, one unit at a time:
// a surrogate pair is written as two three-byte sequences, and reading keeps the low 16 bits of
// what a sequence encodes. Bits of a unit above the low 16 are not looked at.
//
// Both directions answer `partial` whenever input is left unconverted (no room for the next
// unit, or the input ends inside a sequence): a caller that takes `ok` for "all converted"
// would otherwise drop the rest.

#include <cwchar>
#include <locale>

namespace SCore {

class utf8_conversion : public std::codecvt<wchar_t, char, std::mbstate_t> {
protected:
    result do_out(std::mbstate_t& state, const wchar_t* from, const wchar_t* fromEnd, const wchar_t*& fromNext,
                  char* to, char* toEnd, char*& toNext) const override;
    // A byte with k leading ones starts a sequence of k bytes (counted up to 7), whatever the
    // bytes that follow; a stray continuation byte stands alone.
    result do_in(std::mbstate_t& state, const char* from, const char* fromEnd, const char*& fromNext,
                 wchar_t* to, wchar_t* toEnd, wchar_t*& toNext) const override;
    int do_encoding() const noexcept override { return 2; }
};

} // namespace SCore
