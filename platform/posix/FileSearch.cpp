// File search: the folder part of the pattern is mapped like any path, the name part matched
// with '*' and '?' ignoring ASCII case; results are listed at FindFirstFileW, in byte order.

#include "platform/files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <vector>

namespace {

struct Found {
    std::string name;
    DWORD attributes;
    uint64_t size;
    uint64_t writeTime; // 100 ns units since 1601, as FILETIME
};

struct Search {
    std::vector<Found> entries;
    size_t next = 0;
};

std::mutex g_SearchesMutex;
std::set<Search*>& Searches()
{
    static std::set<Search*>* searches = new std::set<Search*>;
    return *searches;
}

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c; }

// Classic wildcard match with backtracking to the last '*'.
bool Matches(const std::wstring& pattern, const std::wstring& name)
{
    size_t p = 0, n = 0, star = std::wstring::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (star != std::wstring::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

bool Fill(const Found& found, WIN32_FIND_DATAW* data)
{
    if (!data) return false;
    *data = WIN32_FIND_DATAW();
    data->dwFileAttributes = found.attributes;
    data->nFileSizeHigh = DWORD(found.size >> 32);
    data->nFileSizeLow = DWORD(found.size);
    data->ftLastWriteTime = FILETIME{DWORD(found.writeTime), DWORD(found.writeTime >> 32)};
    data->ftCreationTime = data->ftLastWriteTime;
    data->ftLastAccessTime = data->ftLastWriteTime;
    const std::wstring name = Utf8ToWide(found.name);
    std::copy(name.begin(), name.end(), data->cFileName);
    data->cFileName[name.size()] = 0;
    return true;
}

} // namespace

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data)
{
    if (!pattern || !data) return INVALID_HANDLE_VALUE;
    std::wstring text(pattern);
    std::replace(text.begin(), text.end(), L'\\', L'/');
    const size_t slash = text.find_last_of(L'/');
    const std::wstring folderPart = slash == std::wstring::npos ? L"" : text.substr(0, slash + 1);
    std::wstring namePart = slash == std::wstring::npos ? text : text.substr(slash + 1);
    if (namePart.empty()) return INVALID_HANDLE_VALUE;
    if (namePart == L"*.*") namePart = L"*"; // every name, with or without a dot

    std::string folder = folderPart.empty() ? "." : NativePath(folderPart);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return INVALID_HANDLE_VALUE;
    if (folder.back() != '/') folder += '/';

    Search* search = new Search;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const std::wstring wide = Utf8ToWide(name);
        if (wide.size() >= MAX_PATH || !Matches(namePart, wide)) continue;
        Found found{name, FILE_ATTRIBUTE_NORMAL, 0, 0};
        struct stat st;
        if (::stat((folder + name).c_str(), &st) == 0) {
            if (S_ISDIR(st.st_mode)) found.attributes = FILE_ATTRIBUTE_DIRECTORY;
            found.size = uint64_t(st.st_size);
            // Seconds between 1601-01-01 and 1970-01-01.
            found.writeTime = (uint64_t(st.st_mtim.tv_sec) + 11644473600ull) * 10000000ull +
                              uint64_t(st.st_mtim.tv_nsec) / 100u;
        }
        search->entries.push_back(found);
    }
    ::closedir(dir);
    if (search->entries.empty()) {
        delete search;
        return INVALID_HANDLE_VALUE;
    }
    std::sort(search->entries.begin(), search->entries.end(),
              [](const Found& a, const Found& b) { return a.name < b.name; });
    Fill(search->entries[0], data);
    search->next = 1;
    std::lock_guard<std::mutex> lock(g_SearchesMutex);
    Searches().insert(search);
    return search;
}

BOOL FindNextFileW(HANDLE handle, WIN32_FIND_DATAW* data)
{
    Search* search = static_cast<Search*>(handle);
    {
        std::lock_guard<std::mutex> lock(g_SearchesMutex);
        if (!Searches().count(search)) return FALSE;
    }
    if (search->next >= search->entries.size()) return FALSE;
    return Fill(search->entries[search->next++], data) ? TRUE : FALSE;
}

BOOL FindClose(HANDLE handle)
{
    Search* search = static_cast<Search*>(handle);
    {
        std::lock_guard<std::mutex> lock(g_SearchesMutex);
        if (!Searches().erase(search)) return FALSE;
    }
    delete search;
    return TRUE;
}
