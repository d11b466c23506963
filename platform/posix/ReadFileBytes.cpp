// Whole-file reads with the C runtime's text mode: CR LF arrives as LF.

#include "platform/files.h"

#include "platform/posix/Hooks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

void CrLfToLf(std::string& bytes)
{
    // Most files have no CR at all: one fast scan instead of moving every byte.
    size_t out = bytes.find('\r');
    if (out == std::string::npos) return;
    for (size_t i = out; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        bytes[out++] = bytes[i];
    }
    bytes.resize(out);
}

} // namespace

bool ReadFileBytes(const std::wstring& path, bool textMode, std::string& out, ReadFailure* failure)
{
    out.clear();
    const auto fail = [&](int error) {
        if (failure) {
            failure->missing = error == ENOENT;
            failure->text = std::strerror(error);
        }
        return false;
    };
    if (FAILED(platform::hooks::TakeInjected("ReadFileBytes"))) return fail(EACCES);
    const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(errno);
    struct stat st;
    // A folder opens here but is no file to read.
    const int error = ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (error) {
        ::close(fd);
        return fail(error);
    }
    if (S_ISREG(st.st_mode)) out.reserve(size_t(st.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            const int readError = errno;
            ::close(fd);
            out.clear();
            return fail(readError);
        }
        out.append(chunk, size_t(got));
    }
    ::close(fd);
    if (textMode) CrLfToLf(out);
    return true;
}
