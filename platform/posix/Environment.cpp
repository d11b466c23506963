// Environment variables; PYTHONPATH arrives as a Windows path list and is made a POSIX one.

#include "platform/files.h"

#include <cstdlib>
#include <cstring>

namespace {

// "C:\a\;b\c;" -> each entry mapped like any path, ';' -> ':', no empty trailing entry (an
// empty entry would put the working directory on the module path).
std::string PosixPathList(const std::string& list)
{
    std::string out;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        const std::string entry = list.substr(start, end - start);
        if (!entry.empty()) {
            if (!out.empty()) out += ':';
            out += NativePath(entry);
        }
        start = end + 1;
    }
    return out;
}

} // namespace

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buf, DWORD size)
{
    if (!name) return 0;
    const char* value = std::getenv(name);
    if (!value || !*value) return 0;
    const size_t length = std::strlen(value);
    if (!buf || size < length + 1) return DWORD(length + 1);
    std::memcpy(buf, value, length + 1);
    return DWORD(length);
}

BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value)
{
    if (!name || !*name) return FALSE;
    if (!value) return ::unsetenv(name) == 0 ? TRUE : FALSE;
    const std::string converted =
        std::strcmp(name, "PYTHONPATH") == 0 ? PosixPathList(value) : std::string(value);
    return ::setenv(name, converted.c_str(), 1) == 0 ? TRUE : FALSE;
}

BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value)
{
    if (!name) return FALSE;
    const std::string narrowName = WideToUtf8(name);
    if (!value) return SetEnvironmentVariableA(narrowName.c_str(), nullptr);
    const std::string narrowValue = WideToUtf8(value);
    return SetEnvironmentVariableA(narrowName.c_str(), narrowValue.c_str());
}
