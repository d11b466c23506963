#pragma once
// A UTF-8 text file (each "\n" written as CR LF), used by the log and the XML writer: the stream
// converts through utf8_conversion.
// Every write is flushed to the operating system, so the lines that explain an abnormal end
// are in the file. A file that cannot be opened prints one line on stderr; writes are then lost.

#include "engine/core/base/SOutputDevice.h"
#include "platform/files.h"

#include <memory>
#include <ostream>
#include <string>

namespace SCore {

class SOutputDeviceFile : public SOutputDevice {
public:
    explicit SOutputDeviceFile(const wchar_t* path);
    ~SOutputDeviceFile() override;

    std::wostream* DoGetStream() override { return &m_Stream; }
    void DoBeginWrite() override;
    void DoEndWrite() override;

    // Whether every write so far reached the file.
    bool IsGood() const;
    // Flushes (and with syncToDisk also forces to disk) and closes; false when anything failed.
    bool Close(bool syncToDisk);

    // 0: open from construction to destruction; 1: opened for append around each write.
    int m_ReopenMode = 0;

private:
    WideTextFileBuf m_Buffer;
    std::wostream m_Stream;
    std::wstring m_Path;
};

} // namespace SCore
