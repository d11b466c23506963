#pragma once
// Routes the global log into memory for the life of the object, then restores the old device.

#include "engine/core/base/SLoger.h"
#include "engine/core/base/SOutputDevice.h"

#include <boost/make_shared.hpp>
#include <sstream>
#include <string>

namespace tarn_test {

class StringOutputDevice : public SCore::SOutputDevice {
public:
    StringOutputDevice() { m_Enabled = 1; }
    std::wostream* DoGetStream() override { return &m_Stream; }
    std::wostringstream m_Stream;
};

class LogCapture {
public:
    LogCapture() : m_Device(boost::make_shared<StringOutputDevice>()), m_Previous(gLoger.GetDevice())
    {
        gLoger.SetDevice(m_Device);
    }
    ~LogCapture() { gLoger.SetDevice(m_Previous); }

    // The logged code units narrowed to their low bytes (the log text is ASCII in these tests).
    std::string Text() const
    {
        std::wstring wide = m_Device->m_Stream.str();
        return std::string(wide.begin(), wide.end());
    }

    // Whether an entry's text begins with text right after its stamp (which ends in a digit).
    bool HasEntry(const std::string& text) const
    {
        const std::string all = Text();
        for (size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
            if (at > 0 && all[at - 1] >= '0' && all[at - 1] <= '9') return true;
        return false;
    }

private:
    boost::shared_ptr<StringOutputDevice> m_Device;
    boost::shared_ptr<SCore::SOutputDevice> m_Previous;
};

} // namespace tarn_test
