#pragma once
// What the render layer (d3d9, d3dx9, gl) asks and tells its test hooks of testing_render.h
// (their state lives in d3d9/TestHooks.cpp). Each call is cheap when no hook is set. Internal to
// platform/.

#include "platform/d3d9/AdapterMode.h"
#include "platform/sdl/RenderWindow.h"
#include "platform/testing_render.h"

#include <cstdint>
#include <vector>

namespace platform {
namespace render {
struct DeviceState;
struct DrawCall;
} // namespace render

namespace hooks {

// Overrides of the backend's own answers; each returns false when the test set none.
bool HeadlessOverride(bool* headless);
bool AdaptersOverride(std::vector<render::AdapterMode>* adapters);
bool DepthFormatOverride(UINT format, bool* accepted);

// A simulated device loss: the cooperative level it imposes (D3D_OK when none), whether Present
// must fail, and a successful Reset, which ends a resettable loss.
HRESULT SimulatedCooperativeLevel();
bool SimulatedLoss();
void DeviceWasReset();

// A test window made by CreateRenderTestWindow; false for any other handle.
bool LookUpTestWindow(HWND handle, sdl::RenderWindow* out);

// Bookkeeping for the inspection hooks.
void CountLive(const char* type, int delta);
bool RenderCallsRecorded();
void RecordRenderCall(const char* method, std::vector<int64_t> args, HRESULT result);
void CountDrawnPrimitives(unsigned n);
// Keeps the quads of a draw while calls are recorded (the caller has checked that they are).
void RecordDrawnQuads(const render::DeviceState& state, const render::DrawCall& call);
void CountPresentedFrame();
// The presented image, kept for back-buffer read-back while a test asks for it.
typedef testing::Image PresentedImage;
bool CaptureRequested();
void StorePresented(PresentedImage image);

} // namespace hooks
} // namespace platform
