#include "engine/core/base/SOutputDeviceFile.h"

#include "engine/core/base/utf8_conversion.h"

#include <cstdio>
#include <locale>

namespace SCore {

SOutputDeviceFile::SOutputDeviceFile(const wchar_t* path)
    : m_Stream(&m_Buffer), m_Path(path ? path : L"")
{
    m_Enabled = 1;
    m_Stream.imbue(std::locale(m_Stream.getloc(), new utf8_conversion));
    if (!m_Buffer.open(m_Path, false)) {
        m_Stream.setstate(std::ios::badbit);
        std::fprintf(stderr, "can't open file for writing: %s\n", NativePath(m_Path).c_str());
    }
}

SOutputDeviceFile::~SOutputDeviceFile()
{
    Close(false);
}

void SOutputDeviceFile::DoBeginWrite()
{
    if (m_ReopenMode != 1) return;
    // The file opened at construction (or left open by a failed close) is let go first.
    if (m_Buffer.is_open()) m_Buffer.close(false);
    if (m_Buffer.open(m_Path, true))
        m_Stream.clear();
    else
        m_Stream.setstate(std::ios::badbit);
}

void SOutputDeviceFile::DoEndWrite()
{
    m_Stream.flush();
    if (m_ReopenMode == 1 && !m_Buffer.close(false)) m_Stream.setstate(std::ios::badbit);
}

bool SOutputDeviceFile::IsGood() const
{
    return m_Stream.good();
}

bool SOutputDeviceFile::Close(bool syncToDisk)
{
    if (!m_Buffer.is_open()) return m_Stream.good();
    m_Stream.flush();
    bool closed = m_Buffer.close(syncToDisk);
    return closed && m_Stream.good();
}

} // namespace SCore
