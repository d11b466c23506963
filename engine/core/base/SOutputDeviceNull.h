#pragma once
// Swallows everything: the logger's device until start-up installs a file.

#include "engine/core/base/SOutputDevice.h"

namespace SCore {

class SOutputDeviceNull : public SOutputDevice {
public:
    SOutputDeviceNull() { m_Enabled = 0; }
    std::wostream* DoGetStream() override { return nullptr; }
};

} // namespace SCore
