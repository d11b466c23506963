#pragma once
// Where log text goes. The logger writes through one device that start-up can exchange.

#include <ostream>
#include <string>

namespace SCore {

class SOutputDevice {
public:
    virtual ~SOutputDevice() = default;

    // Widens each byte as a signed char (0x80..0xFF become U+FF80..U+FFFF) and writes the text
    // between DoBeginWrite and DoEndWrite when the device is enabled.
    SOutputDevice& Write(const std::string& text);

    // Writes a C string whose bytes become the code units of the same value.
    SOutputDevice& WriteBytes(const char* text);

    virtual std::wostream* DoGetStream() = 0;
    virtual void DoBeginWrite() {}
    virtual void DoEndWrite() {}

    int m_Enabled = 0;

private:
    void WriteWide(const std::wstring& text);
};

} // namespace SCore
