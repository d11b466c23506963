#pragma once
// The process-wide log. Every thread writes through it; each insertion is one locked write to
// the current device. An entry is the stamp (GetCurrentDateTime) followed by its text, which
// carries its own leading blank and closing "\n".
//
// The logger is created on first use and never destroyed, so a thread that logs late during exit
// is safe; Shutdown() flushes and closes the file and leaves a null device behind.

#include "engine/core/base/SOutputDevice.h"
#include "platform/win32.h"

#include <boost/shared_ptr.hpp>
#include <string>

namespace SCore {

class SLoger {
public:
    SLoger();
    virtual ~SLoger();
    SLoger(const SLoger&) = delete;
    SLoger& operator=(const SLoger&) = delete;

    SLoger& operator<<(const std::string& text);
    SLoger& operator<<(const char* text);
    SLoger& operator<<(unsigned int number);

    void SetDevice(const boost::shared_ptr<SOutputDevice>& device);
    boost::shared_ptr<SOutputDevice> GetDevice();
    // Replaces the device by a null one; the old device is released (a file is flushed and closed).
    void Shutdown();

private:
    boost::shared_ptr<SOutputDevice> m_Device;
    CRITICAL_SECTION m_Lock;
};

SLoger& GlobalLoger();

// The local date and time as the log stamps it: "2026-12-05  9:05:07" (hour padded with a blank).
std::string GetCurrentDateTime();

} // namespace SCore

// The one log of the process.
#define gLoger (::SCore::GlobalLoger())
