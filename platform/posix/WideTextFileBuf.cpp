// A wide stream buffer converting through its locale's facet and writing CR LF line ends straight
// to a file descriptor, so that a failed write, flush, sync or close is seen by the stream and by
// close().

#include "platform/files.h"
#include "platform/posix/Hooks.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Bytes gathered before they are handed to the OS.
const size_t kFlushAt = 8192;
// Bytes converted at a time.
const size_t kChunk = 256;

} // namespace

WideTextFileBuf::WideTextFileBuf()
    : m_Conversion(&std::use_facet<Conversion>(getloc())), m_State(), m_Fd(-1), m_Failed(false)
{
}

WideTextFileBuf::~WideTextFileBuf() { close(false); }

bool WideTextFileBuf::open(const std::wstring& path, bool append)
{
    if (m_Fd >= 0) return false;
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    m_Fd = ::open(NativePath(path).c_str(), flags, 0666);
    m_Failed = false;
    m_Bytes.clear();
    return m_Fd >= 0;
}

bool WideTextFileBuf::is_open() const { return m_Fd >= 0; }

bool WideTextFileBuf::close(bool syncToDisk)
{
    if (m_Fd < 0) return false;
    FlushBytes();
    if (syncToDisk && (FAILED(platform::hooks::TakeInjected("fsync")) || ::fsync(m_Fd) != 0)) m_Failed = true;
    const bool closeInjected = FAILED(platform::hooks::TakeInjected("close"));
    if (::close(m_Fd) != 0 || closeInjected) m_Failed = true;
    m_Fd = -1;
    m_Bytes.clear();
    return !m_Failed;
}

void WideTextFileBuf::imbue(const std::locale& locale)
{
    m_Conversion = &std::use_facet<Conversion>(locale);
    m_State = std::mbstate_t();
}

// Asks the facet for a chunk at a time until every unit is converted; a facet that fails or
// makes no progress fails the file.
bool WideTextFileBuf::Convert(const wchar_t* from, const wchar_t* end)
{
    char chunk[kChunk];
    while (from < end) {
        const wchar_t* next = from;
        char* chunkEnd = chunk;
        const std::codecvt_base::result result =
            m_Conversion->out(m_State, from, end, next, chunk, chunk + kChunk, chunkEnd);
        if ((result != std::codecvt_base::ok && result != std::codecvt_base::partial) || next == from) {
            m_Failed = true;
            m_Bytes.clear();
            return false;
        }
        for (const char* byte = chunk; byte < chunkEnd; ++byte) {
            if (*byte == '\n') m_Bytes.push_back('\r');
            m_Bytes.push_back(*byte);
        }
        if (m_Bytes.size() >= kFlushAt && !FlushBytes()) return false;
        from = next;
    }
    return true;
}

bool WideTextFileBuf::FlushBytes()
{
    if (m_Fd < 0 || m_Failed) {
        m_Bytes.clear();
        return false;
    }
    size_t done = 0;
    while (done < m_Bytes.size()) {
        ssize_t wrote = -1;
        if (FAILED(platform::hooks::TakeInjected("write")))
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

WideTextFileBuf::int_type WideTextFileBuf::overflow(int_type ch)
{
    if (m_Fd < 0 || m_Failed) return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return FlushBytes() ? traits_type::not_eof(ch) : traits_type::eof();
    const wchar_t unit = traits_type::to_char_type(ch);
    return Convert(&unit, &unit + 1) ? ch : traits_type::eof();
}

std::streamsize WideTextFileBuf::xsputn(const wchar_t* s, std::streamsize n)
{
    if (m_Fd < 0 || m_Failed) return 0;
    return Convert(s, s + n) ? n : 0;
}

int WideTextFileBuf::sync()
{
    if (m_Fd < 0) return -1;
    return FlushBytes() ? 0 : -1;
}
