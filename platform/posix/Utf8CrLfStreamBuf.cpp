// A wide stream buffer writing UTF-8 with CR LF line ends straight to a file descriptor, so that
// a failed write, flush, sync or close is seen by the stream and by close().

#include "platform/files.h"
#include "platform/testing.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Bytes gathered before they are handed to the OS.
const size_t kFlushAt = 8192;

} // namespace

Utf8CrLfStreamBuf::Utf8CrLfStreamBuf() : m_Fd(-1), m_Failed(false) {}

Utf8CrLfStreamBuf::~Utf8CrLfStreamBuf() { close(false); }

bool Utf8CrLfStreamBuf::open(const std::wstring& path, bool append)
{
    if (m_Fd >= 0) return false;
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    m_Fd = ::open(NativePath(path).c_str(), flags, 0666);
    m_Failed = false;
    m_Bytes.clear();
    return m_Fd >= 0;
}

bool Utf8CrLfStreamBuf::is_open() const { return m_Fd >= 0; }

bool Utf8CrLfStreamBuf::close(bool syncToDisk)
{
    if (m_Fd < 0) return false;
    FlushBytes();
    if (syncToDisk && (FAILED(platform::testing::TakeInjected("fsync")) || ::fsync(m_Fd) != 0)) m_Failed = true;
    const bool closeInjected = FAILED(platform::testing::TakeInjected("close"));
    if (::close(m_Fd) != 0 || closeInjected) m_Failed = true;
    m_Fd = -1;
    m_Bytes.clear();
    return !m_Failed;
}

// Each unit on its own: below 0x80 one byte, below 0x800 two, else three (a surrogate pair
// becomes two three-byte sequences). Only the unit's 16 bits count.
void Utf8CrLfStreamBuf::Encode(wchar_t ch)
{
    const uint32_t u = uint32_t(ch) & 0xFFFFu;
    if (u == '\n') {
        m_Bytes += "\r\n";
    } else if (u < 0x80) {
        m_Bytes.push_back(char(u));
    } else if (u < 0x800) {
        m_Bytes.push_back(char(0xC0 | (u >> 6)));
        m_Bytes.push_back(char(0x80 | (u & 0x3F)));
    } else {
        m_Bytes.push_back(char(0xE0 | (u >> 12)));
        m_Bytes.push_back(char(0x80 | ((u >> 6) & 0x3F)));
        m_Bytes.push_back(char(0x80 | (u & 0x3F)));
    }
}

bool Utf8CrLfStreamBuf::FlushBytes()
{
    if (m_Fd < 0 || m_Failed) {
        m_Bytes.clear();
        return false;
    }
    size_t done = 0;
    while (done < m_Bytes.size()) {
        ssize_t wrote = -1;
        if (FAILED(platform::testing::TakeInjected("write")))
            errno = EIO;
        else
            wrote = ::write(m_Fd, m_Bytes.data() + done, m_Bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) {
            m_Failed = true;
            m_Bytes.clear();
            return false;
        }
        done += size_t(wrote);
    }
    m_Bytes.clear();
    return true;
}

Utf8CrLfStreamBuf::int_type Utf8CrLfStreamBuf::overflow(int_type ch)
{
    if (m_Fd < 0 || m_Failed) return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return FlushBytes() ? traits_type::not_eof(ch) : traits_type::eof();
    Encode(traits_type::to_char_type(ch));
    if (m_Bytes.size() >= kFlushAt && !FlushBytes()) return traits_type::eof();
    return ch;
}

std::streamsize Utf8CrLfStreamBuf::xsputn(const wchar_t* s, std::streamsize n)
{
    if (m_Fd < 0 || m_Failed) return 0;
    for (std::streamsize i = 0; i < n; ++i) {
        Encode(s[i]);
        if (m_Bytes.size() >= kFlushAt && !FlushBytes()) return i;
    }
    return n;
}

int Utf8CrLfStreamBuf::sync()
{
    if (m_Fd < 0) return -1;
    return FlushBytes() ? 0 : -1;
}
