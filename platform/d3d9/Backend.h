#pragma once
// What a device needs of whatever puts pixels somewhere: OpenGL (platform/gl) or the headless
// recorder (platform/headless). The device keeps all state; a backend reads it at clear, draw and
// present, which the device calls on the main thread only.

#include "platform/d3d9.h"
#include "platform/d3d9/DeviceState.h"

namespace platform {
namespace render {

struct DrawCall {
    D3DPRIMITIVETYPE type;
    UINT primCount;
    bool indexed;
    UINT start;      // first vertex, or first index
    UINT baseVertex; // added to every index
};

class Backend {
public:
    virtual ~Backend() = default;
    // Sets the back buffer up for these parameters (creation and reset).
    virtual HRESULT Configure(HWND window, const D3DPRESENT_PARAMETERS& params) = 0;
    virtual void Clear(DeviceState& state, DWORD flags, D3DCOLOR colour, float z) = 0;
    virtual void Draw(DeviceState& state, const DrawCall& call) = 0;
    virtual void Present(DeviceState& state) = 0;
};

// Whether devices created now are headless (platform/display.h, unless a test forces one kind).
bool DevicesAreHeadless();
// The backend for a new device.
std::unique_ptr<Backend> MakeBackend(HWND window);

} // namespace render
} // namespace platform
