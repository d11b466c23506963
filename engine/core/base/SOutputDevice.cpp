#include "engine/core/base/SOutputDevice.h"

#include "platform/files.h"

namespace SCore {

void SOutputDevice::WriteWide(const std::wstring& text)
{
    DoBeginWrite();
    if (m_Enabled) {
        if (std::wostream* stream = DoGetStream()) *stream << text;
    }
    DoEndWrite();
}

SOutputDevice& SOutputDevice::Write(const std::string& text)
{
    WriteWide(WidenSigned(text));
    return *this;
}

SOutputDevice& SOutputDevice::WriteBytes(const char* text)
{
    WriteWide(WidenBytes(text ? std::string(text) : std::string()));
    return *this;
}

} // namespace SCore
