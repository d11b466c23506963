#include "engine/core/base/utf8_conversion.h"

#include <cstdint>

namespace SCore {

std::codecvt_base::result utf8_conversion::do_out(std::mbstate_t&, const wchar_t* from, const wchar_t* fromEnd,
                                                  const wchar_t*& fromNext, char* to, char* toEnd,
                                                  char*& toNext) const
{
    for (; from < fromEnd; ++from) {
        const uint32_t unit = uint32_t(*from) & 0xFFFFu;
        const int continuations = unit < 0x80 ? 0 : unit < 0x800 ? 1 : 2;
        if (toEnd - to < continuations + 1) break;
        if (continuations == 0) {
            *to++ = char(unit);
            continue;
        }
        *to++ = char((continuations == 1 ? 0xC0 : 0xE0) | (unit >> (6 * continuations)));
        for (int shift = 6 * (continuations - 1); shift >= 0; shift -= 6)
            *to++ = char(0x80 | ((unit >> shift) & 0x3F));
    }
    fromNext = from;
    toNext = to;
    return from < fromEnd ? partial : ok;
}

std::codecvt_base::result utf8_conversion::do_in(std::mbstate_t&, const char* from, const char* fromEnd,
                                                 const char*& fromNext, wchar_t* to, wchar_t* toEnd,
                                                 wchar_t*& toNext) const
{
    while (from < fromEnd && to < toEnd) {
        const unsigned char lead = static_cast<unsigned char>(*from);
        int length = 0;
        while (length < 7 && (lead & (0x80u >> length))) ++length;
        if (length == 0) {
            *to++ = wchar_t(lead);
            ++from;
            continue;
        }
        if (fromEnd - from < length) break;
        uint32_t unit = lead & ((1u << (7 - length)) - 1);
        for (int i = 1; i < length; ++i)
            unit = ((unit << 6) | (static_cast<unsigned char>(from[i]) & 0x3Fu)) & 0xFFFFu;
        *to++ = wchar_t(unit);
        from += length;
    }
    fromNext = from;
    toNext = to;
    return from < fromEnd ? partial : ok;
}

} // namespace SCore
