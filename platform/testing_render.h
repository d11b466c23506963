#pragma once
// Test hooks of the render layer (Direct3D 9, D3DX9): simulated device loss, overrides of the
// adapter configuration and of the display driver, call recording, back-buffer read-back, live
// object counts and test windows (platform/d3d9/TestHooks.cpp). Failure codes are injected per
// call site with the generic hooks of testing.h ("IDirect3DDevice9::Reset",
// "IDirect3D9::CreateDevice", "D3DXCreateTextureFromFileA", ...).

#include "platform/d3d9/AdapterMode.h"
#include "platform/testing.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
namespace testing {

void ResetRenderHooks();

// --- Device loss ---------------------------------------------------------------------------------
// After SimulateDeviceLoss, TestCooperativeLevel answers DEVICELOST until MakeDeviceResettable,
// then DEVICENOTRESET until a Reset succeeds, then D3D_OK.
void SimulateDeviceLoss();
void MakeDeviceResettable();
bool IsDeviceLost();

// --- Adapter and display configuration -----------------------------------------------------------
// Unset, the device reports the backend's own answers (platform/d3d9/AdapterMode.h): one adapter
// in the desktop mode, depth buffers of D16 only.
typedef render::AdapterMode AdapterConfig;
void SetAdapters(const std::vector<AdapterConfig>& adapters);
void AcceptDepthFormats(bool d32, bool d16);

// --- Display driver ------------------------------------------------------------------------------
// Forces the kind of device created from now on, whatever the display driver of
// platform/display.h says (Auto: as it says). Windows are left as they are.
enum class RenderMode { Auto, Headless, OpenGL };
void SetRenderMode(RenderMode mode);
// Whether devices created now are headless.
bool IsHeadless();

// --- Test windows --------------------------------------------------------------------------------
// A window a device can be created on: a hidden SDL window when drawing with OpenGL, a virtual
// one when headless. Must be called on the main thread; destroyed by DestroyRenderTestWindow.
HWND CreateRenderTestWindow(int width, int height);
void DestroyRenderTestWindow(HWND window);

// --- Call recording ------------------------------------------------------------------------------
struct RenderCall {
    std::string method;         // "SetRenderState", "DrawIndexedPrimitive", "Present", ...
    std::vector<int64_t> args;  // as passed (pointers as 0 for null, 1 otherwise)
    HRESULT result;
    bool operator==(const RenderCall& o) const
    {
        return method == o.method && args == o.args && result == o.result;
    }
};
void RecordRenderCalls(bool enabled); // off by default
std::vector<RenderCall> RenderCalls();
std::vector<RenderCall> RenderCalls(const std::string& method);
void ClearRenderCalls();
// Number of primitives the backend was asked to draw since the last clear of the log.
unsigned DrawnPrimitives();
// While calls are recorded, each two triangles drawn are also kept as the quad they cover (an odd
// last triangle as one of its own), so that a plain program can draw what a frame drew.
struct DrawnQuad {
    float left, top, right, bottom;   // render-target pixels the vertices span
    float u0, v0, u1, v1;             // texture coordinates they span
    UINT textureWidth, textureHeight; // stage 0's texture; 0 x 0 when none
    bool blended;                     // alpha blending on
    bool linear;                      // linear magnification filter
};
std::vector<DrawnQuad> DrawnQuads();

// --- Back-buffer read-back -----------------------------------------------------------------------
// The last presented image as B, G, R, A rows, top row first (OpenGL mode; empty when headless).
struct Image {
    UINT width = 0, height = 0;
    std::vector<uint8_t> bgra;
    uint32_t Pixel(UINT x, UINT y) const; // 0xAARRGGBB
};
void CaptureOnPresent(bool enabled);
Image LastPresented();
unsigned PresentedFrames();

// --- Live objects --------------------------------------------------------------------------------
// "IDirect3D9", "IDirect3DDevice9", "IDirect3DTexture9", "IDirect3DSurface9",
// "IDirect3DVertexBuffer9", "IDirect3DIndexBuffer9", "ID3DXFont".
int LiveObjects(const std::string& type);

} // namespace testing
} // namespace platform
