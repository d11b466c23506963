// The documents folder, folder tests and creation, the working directory.

#include "platform/files.h"

#include "platform/posix/Hooks.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const size_t kSpecialFolderBuffer = 1024; // units, the size every caller passes

bool IsFolder(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string WorkingDirectory()
{
    std::vector<char> buf(4096);
    for (;;) {
        if (::getcwd(buf.data(), buf.size())) return buf.data();
        if (errno != ERANGE) return std::string();
        buf.resize(buf.size() * 2);
    }
}

std::string Absolute(const std::string& path)
{
    if (path.empty() || path[0] == '/') return path;
    const std::string cwd = WorkingDirectory();
    return cwd.empty() ? std::string() : cwd + "/" + path;
}

std::string WithoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// mkdir -p: true when the folder exists afterwards.
bool MakeFolders(const std::string& path)
{
    if (IsFolder(path)) return true;
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (!IsFolder(prefix) && ::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    return (::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST) && IsFolder(path);
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The first usable candidate; a missing one is made when create is set.
std::string DocumentsFolder(bool create)
{
    std::vector<std::string> candidates;
    const std::string xdg = Environment("XDG_DOCUMENTS_DIR");
    if (!xdg.empty()) candidates.push_back(xdg);
    const std::string home = Environment("HOME");
    if (!home.empty()) {
        candidates.push_back(WithoutTrailingSeparators(home) + "/Documents");
        candidates.push_back(home);
    }
    candidates.push_back(WorkingDirectory());
    for (const std::string& candidate : candidates) {
        const std::string path = WithoutTrailingSeparators(Absolute(candidate));
        if (path.empty()) continue;
        if (IsFolder(path) || (create && MakeFolders(path))) return path;
    }
    return std::string();
}

} // namespace

BOOL SHGetSpecialFolderPathW(HWND owner, LPWSTR buf, int csidl, BOOL create)
{
    if (!buf) return FALSE;
    buf[0] = 0;
    if (FAILED(platform::hooks::TakeInjected("SHGetSpecialFolderPathW"))) return FALSE;
    if (csidl != CSIDL_PERSONAL) return FALSE;
    const std::wstring path = Utf8ToWide(DocumentsFolder(create != FALSE));
    if (path.empty() || path.size() >= kSpecialFolderBuffer) return FALSE;
    std::copy(path.begin(), path.end(), buf);
    buf[path.size()] = 0;
    return TRUE;
}

BOOL PathIsDirectoryW(LPCWSTR path)
{
    if (!path || !*path) return FALSE;
    return IsFolder(NativePath(std::wstring(path))) ? TRUE : FALSE;
}

BOOL CreateDirectoryW(LPCWSTR path, void*)
{
    if (FAILED(platform::hooks::TakeInjected("CreateDirectoryW"))) return FALSE;
    if (!path || !*path) return FALSE;
    return ::mkdir(NativePath(std::wstring(path)).c_str(), 0777) == 0 ? TRUE : FALSE;
}

DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buf)
{
    const std::wstring cwd = Utf8ToWide(WorkingDirectory());
    if (cwd.empty()) return 0;
    if (!buf || size < cwd.size() + 1) return DWORD(cwd.size() + 1);
    std::copy(cwd.begin(), cwd.end(), buf);
    buf[cwd.size()] = 0;
    return DWORD(cwd.size());
}
