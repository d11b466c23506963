// Windows-style paths to names on disk: separators, then a case-insensitive fallback per
// component for names that do not exist as written.

#include "platform/files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = x - 'A' + 'a';
        if (y >= 'A' && y <= 'Z') y = y - 'A' + 'a';
        if (x != y) return false;
    }
    return true;
}

// The first entry of folder (in byte order) equal to name but for ASCII case; empty if none.
std::string FindIgnoringCase(const std::string& folder, const std::string& name)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::string();
    std::string best;
    while (dirent* entry = ::readdir(dir)) {
        const std::string entryName = entry->d_name;
        if (EqualsIgnoringAsciiCase(entryName, name) && (best.empty() || entryName < best))
            best = entryName;
    }
    ::closedir(dir);
    return best;
}

// '\' to '/', repeated separators collapsed.
std::string Normalise(const std::string& path)
{
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '\\') c = '/';
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out.push_back(c);
    }
    return out;
}

} // namespace

std::string NativePath(const std::string& path)
{
    const std::string normal = Normalise(path);
    if (normal.empty() || Exists(normal)) return normal;

    // Walk the components; keep each one that exists as written, else take a case-insensitive
    // match. Once a component matches nothing, the rest is kept as given.
    const bool absolute = normal[0] == '/';
    const bool trailing = normal.size() > 1 && normal.back() == '/';
    std::vector<std::string> parts;
    size_t start = absolute ? 1 : 0;
    while (start < normal.size()) {
        size_t end = normal.find('/', start);
        if (end == std::string::npos) end = normal.size();
        parts.push_back(normal.substr(start, end - start));
        start = end + 1;
    }

    std::string result = absolute ? "/" : "";
    bool resolving = true;
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string part = parts[i];
        if (resolving && part != "." && part != "..") {
            const std::string candidate = result + part;
            if (!Exists(candidate)) {
                const std::string match = FindIgnoringCase(result, part);
                if (match.empty())
                    resolving = false;
                else
                    part = match;
            }
        }
        result += part;
        if (i + 1 < parts.size() || trailing) result += '/';
    }
    return result;
}

std::string NativePath(const std::wstring& path) { return NativePath(WideToUtf8(path)); }
