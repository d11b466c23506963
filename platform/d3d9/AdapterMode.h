#pragma once
// One adapter as the device reports it: its display mode and what its hardware can do.

#include "platform/d3d9.h"

#include <vector>

namespace platform {
namespace render {

struct AdapterMode {
    UINT width = 1024, height = 768, refreshRate = 60;
    UINT format = D3DFMT_X8R8G8B8;
    bool hardwareTnL = true;
    DWORD presentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE;
};

// The backend's own answers: one adapter in the desktop mode of the first display (this default
// mode when headless), and whether a depth buffer of the format can sit beside the back buffer.
std::vector<AdapterMode> SystemAdapters();
bool SystemAcceptsDepthFormat(UINT format);

} // namespace render
} // namespace platform
