// The render layer's test hooks (platform/testing_render.h) and the bookkeeping the layer does
// for them (platform/d3d9/Hooks.h).

#include "platform/d3d9/Backend.h"
#include "platform/d3d9/Hooks.h"
#include "platform/testing_render.h"

#include <SDL.h>

#include <atomic>
#include <map>
#include <mutex>

namespace platform {
namespace testing {
namespace {

enum class Loss { None, Lost, Resettable };

struct RenderHooks {
    std::mutex lock;
    Loss loss = Loss::None;
    std::vector<AdapterConfig> adapters;
    bool adaptersSet = false;
    bool depthFormatsSet = false;
    bool d32 = false, d16 = true;
    RenderMode mode = RenderMode::Auto;
    std::vector<RenderCall> calls;
    bool capture = false;
    Image presented;
    unsigned frames = 0;
    std::map<std::string, int> live;
    std::map<HWND, sdl::RenderWindow> testWindows;
    uintptr_t nextVirtual = 1;
};

RenderHooks& Hooks()
{
    static RenderHooks* hooks = new RenderHooks; // never destroyed: objects may die at exit
    return *hooks;
}

// Read on every device call and draw: atomics, so that an unused hook costs one load.
std::atomic<bool> g_Record{false};
std::atomic<unsigned> g_Primitives{0};

} // namespace

void ResetRenderHooks();
static const ResetRegistration kReset(&ResetRenderHooks);

void ResetRenderHooks()
{
    RenderHooks& h = Hooks();
    std::lock_guard<std::mutex> guard(h.lock);
    h.loss = Loss::None;
    h.adapters.clear();
    h.adaptersSet = false;
    h.depthFormatsSet = false;
    h.d32 = false;
    h.d16 = true;
    h.mode = RenderMode::Auto;
    g_Record.store(false);
    h.calls.clear();
    g_Primitives.store(0);
    h.capture = false;
    h.presented = Image();
    h.frames = 0;
}

void SimulateDeviceLoss()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().loss = Loss::Lost;
}

void MakeDeviceResettable()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    if (Hooks().loss == Loss::Lost) Hooks().loss = Loss::Resettable;
}

bool IsDeviceLost()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    return Hooks().loss != Loss::None;
}

void SetAdapters(const std::vector<AdapterConfig>& adapters)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().adapters = adapters;
    Hooks().adaptersSet = true;
}

void AcceptDepthFormats(bool d32, bool d16)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().depthFormatsSet = true;
    Hooks().d32 = d32;
    Hooks().d16 = d16;
}

void SetRenderMode(RenderMode mode)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().mode = mode;
}

bool IsHeadless() { return render::DevicesAreHeadless(); }

void RecordRenderCalls(bool enabled)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    g_Record.store(enabled);
}


std::vector<RenderCall> RenderCalls()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    return Hooks().calls;
}

std::vector<RenderCall> RenderCalls(const std::string& method)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    std::vector<RenderCall> out;
    for (const RenderCall& c : Hooks().calls)
        if (c.method == method) out.push_back(c);
    return out;
}

void ClearRenderCalls()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().calls.clear();
    g_Primitives.store(0);
}

unsigned DrawnPrimitives() { return g_Primitives.load(); }

uint32_t Image::Pixel(UINT x, UINT y) const
{
    const uint8_t* p = &bgra[(size_t(y) * width + x) * 4];
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

void CaptureOnPresent(bool enabled)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().capture = enabled;
}

Image LastPresented()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    return Hooks().presented;
}

unsigned PresentedFrames()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    return Hooks().frames;
}

int LiveObjects(const std::string& type)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    auto it = Hooks().live.find(type);
    return it == Hooks().live.end() ? 0 : it->second;
}

HWND CreateRenderTestWindow(int width, int height)
{
    sdl::RenderWindow w;
    w.width = width;
    w.height = height;
    HWND handle;
    if (!IsHeadless()) {
        sdl::RequestGLAttributes();
        w.window = SDL_CreateWindow("render test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                    width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!w.window) return nullptr;
        handle = reinterpret_cast<HWND>(w.window);
    } else {
        std::lock_guard<std::mutex> guard(Hooks().lock);
        handle = reinterpret_cast<HWND>(0x10000 + 16 * Hooks().nextVirtual++);
    }
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().testWindows[handle] = w;
    return handle;
}

void DestroyRenderTestWindow(HWND handle)
{
    sdl::RenderWindow w;
    {
        std::lock_guard<std::mutex> guard(Hooks().lock);
        auto it = Hooks().testWindows.find(handle);
        if (it == Hooks().testWindows.end()) return;
        w = it->second;
        Hooks().testWindows.erase(it);
    }
    if (w.window) SDL_DestroyWindow(w.window);
}

} // namespace testing

namespace hooks {

using testing::Hooks;
using testing::Loss;
using testing::g_Primitives;
using testing::g_Record;

bool HeadlessOverride(bool* headless)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    if (Hooks().mode == testing::RenderMode::Auto) return false;
    *headless = Hooks().mode == testing::RenderMode::Headless;
    return true;
}

bool AdaptersOverride(std::vector<render::AdapterMode>* adapters)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    if (!Hooks().adaptersSet) return false;
    *adapters = Hooks().adapters;
    return true;
}

bool DepthFormatOverride(UINT format, bool* accepted)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    if (!Hooks().depthFormatsSet) return false;
    *accepted = (format == D3DFMT_D32 && Hooks().d32) || (format == D3DFMT_D16 && Hooks().d16);
    return true;
}

HRESULT SimulatedCooperativeLevel()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    switch (Hooks().loss) {
    case Loss::Lost: return D3DERR_DEVICELOST;
    case Loss::Resettable: return D3DERR_DEVICENOTRESET;
    default: return D3D_OK;
    }
}

bool SimulatedLoss() { return testing::IsDeviceLost(); }

void DeviceWasReset()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    if (Hooks().loss == Loss::Resettable) Hooks().loss = Loss::None;
}

bool LookUpTestWindow(HWND handle, sdl::RenderWindow* out)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    auto it = Hooks().testWindows.find(handle);
    if (it == Hooks().testWindows.end()) return false;
    *out = it->second;
    return true;
}

void CountLive(const char* type, int delta)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().live[type] += delta;
}

bool RenderCallsRecorded() { return g_Record.load(std::memory_order_acquire); }

void RecordRenderCall(const char* method, std::vector<int64_t> args, HRESULT result)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    if (g_Record.load()) Hooks().calls.push_back({method, std::move(args), result});
}

void CountDrawnPrimitives(unsigned n) { g_Primitives.fetch_add(n, std::memory_order_relaxed); }

void CountPresentedFrame()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    ++Hooks().frames;
}

bool CaptureRequested()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    return Hooks().capture;
}

void StorePresented(testing::Image image)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().presented = std::move(image);
}

} // namespace hooks
} // namespace platform
