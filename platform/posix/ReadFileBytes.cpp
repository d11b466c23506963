// Whole-file reads with the C runtime's text mode: CR LF arrives as LF.

#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

bool ReadFileBytes(const std::wstring& path, bool textMode, std::string& out)
{
    out.clear();
    const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    // A folder opens here but is no file to read.
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    if (S_ISREG(st.st_mode)) out.reserve(size_t(st.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            out.clear();
            return false;
        }
        out.append(chunk, size_t(got));
    }
    ::close(fd);
    if (textMode) CrLfToLf(out);
    return true;
}
