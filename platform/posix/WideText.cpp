// Narrow/wide helpers: explicit byte rules and UTF-8 <-> UTF-16 units, never a locale.

#include "platform/files.h"

#include <cstdint>

wchar_t WidenSigned(char c) { return wchar_t(uint16_t(int16_t(static_cast<signed char>(c)))); }

wchar_t WidenByte(char c) { return wchar_t(static_cast<unsigned char>(c)); }

char NarrowLow(wchar_t w) { return char(static_cast<unsigned char>(uint32_t(w) & 0xFFu)); }

std::wstring WidenSigned(const std::string& s)
{
    std::wstring out;
    out.reserve(s.size());
    for (char c : s) out.push_back(WidenSigned(c));
    return out;
}

std::wstring WidenBytes(const std::string& s)
{
    std::wstring out;
    out.reserve(s.size());
    for (char c : s) out.push_back(WidenByte(c));
    return out;
}

std::string NarrowLow(const std::wstring& s)
{
    std::string out;
    out.reserve(s.size());
    for (wchar_t w : s) out.push_back(NarrowLow(w));
    return out;
}

namespace {

const wchar_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

bool IsHighSurrogate(uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

} // namespace

std::string WideToUtf8(const std::wstring& s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t u = uint32_t(s[i]);
        if (u > 0xFFFF) {
            // Not a UTF-16 unit; a whole code point put in by code outside the engine's rules.
            AppendUtf8(out, u <= 0x10FFFF ? u : 0xFFFD);
        } else if (IsHighSurrogate(u) && i + 1 < s.size() && IsLowSurrogate(uint32_t(s[i + 1]))) {
            const uint32_t low = uint32_t(s[++i]);
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

std::wstring Utf8ToWide(const std::string& s)
{
    std::wstring out;
    out.reserve(s.size());
    const size_t n = s.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len;
        uint32_t cp;
        if (c < 0x80) {
            out.push_back(wchar_t(c));
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        size_t k = 1;
        for (; k < len && i + k < n; ++k) {
            const unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) break;
            cp = (cp << 6) | (cc & 0x3F);
        }
        const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
        if (k < len || overlong || cp > 0x10FFFF) {
            // Lone surrogates encoded as three bytes are let through (WideToUtf8 writes them).
            out.push_back(kReplacement);
            i += k;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(wchar_t(0xD800 + (cp >> 10)));
            out.push_back(wchar_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(wchar_t(cp));
        }
        i += len;
    }
    return out;
}
