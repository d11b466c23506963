// Renaming and deleting files.

#include "platform/files.h"

#include "platform/posix/Hooks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

} // namespace

BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    if (FAILED(platform::hooks::TakeInjected("MoveFileExW"))) return FALSE;
    if (!from || !to) return FALSE;
    const std::string source = NativePath(std::wstring(from));
    const std::string target = NativePath(std::wstring(to));
    struct stat st;
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && ::lstat(target.c_str(), &st) == 0) return FALSE;
    // A save over a file keeps what its owner allowed: the new file has the process's defaults.
    if ((flags & MOVEFILE_REPLACE_EXISTING) && ::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        ::chmod(source.c_str(), st.st_mode & 07777);
    if (::rename(source.c_str(), target.c_str()) != 0) return FALSE;
    if ((flags & MOVEFILE_WRITE_THROUGH) && !SyncFolder(FolderOf(target))) return FALSE;
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR path)
{
    if (FAILED(platform::hooks::TakeInjected("DeleteFileW"))) return FALSE;
    if (!path || !*path) return FALSE;
    return ::unlink(NativePath(std::wstring(path)).c_str()) == 0 ? TRUE : FALSE;
}
