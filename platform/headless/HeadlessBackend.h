#pragma once
// The headless device: chosen by the display driver (platform/display.h) or forced by a test.
// It draws nothing; the device's shadow state and the call log hold everything a test checks,
// and Present only counts frames. D3DX decoding works as ever, so sizes and locks are testable.

#include "platform/d3d9/Backend.h"

namespace platform {
namespace render {

class HeadlessBackend : public Backend {
public:
    HRESULT Configure(HWND, const D3DPRESENT_PARAMETERS&) override { return D3D_OK; }
    void Clear(DeviceState&, DWORD, D3DCOLOR, float) override {}
    void Draw(DeviceState&, const DrawCall&) override {}
    void Present(DeviceState&) override {}
};

} // namespace render
} // namespace platform
