// The render layer's test hooks and the bookkeeping the layer does for them.

#include "platform/testing_render.h"
#include "platform/testing.h"
#include "platform/d3d9.h"
#include "platform/sdl/RenderWindow.h"

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
    std::vector<AdapterConfig> adapters{AdapterConfig()};
    bool adaptersSet = false;
    bool d32 = false, d16 = true;
    RenderMode mode = RenderMode::Auto;
    std::vector<RenderCall> calls;
    bool capture = false;
    Image presented;
    unsigned frames = 0;
    std::map<std::string, int> live;
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
    h.adapters = {AdapterConfig()};
    h.adaptersSet = false;
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

HRESULT CooperativeLevel()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    switch (Hooks().loss) {
    case Loss::Lost: return D3DERR_DEVICELOST;
    case Loss::Resettable: return D3DERR_DEVICENOTRESET;
    default: return D3D_OK;
    }
}

void DeviceWasReset()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    if (Hooks().loss == Loss::Resettable) Hooks().loss = Loss::None;
}

void SetAdapters(const std::vector<AdapterConfig>& adapters)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().adapters = adapters;
    Hooks().adaptersSet = true;
}

std::vector<AdapterConfig> Adapters()
{
    std::vector<AdapterConfig> adapters;
    {
        std::lock_guard<std::mutex> guard(Hooks().lock);
        if (Hooks().adaptersSet) return Hooks().adapters;
        adapters = Hooks().adapters;
    }
    // Unconfigured with a display: the desktop mode of the first display.
    int width, height, refresh;
    if (!IsHeadless() && sdl::DesktopMode(&width, &height, &refresh)) {
        adapters[0].width = UINT(width);
        adapters[0].height = UINT(height);
        adapters[0].refreshRate = UINT(refresh);
    }
    return adapters;
}

void AcceptDepthFormats(bool d32, bool d16)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().d32 = d32;
    Hooks().d16 = d16;
}

bool DepthFormatAccepted(UINT format)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    return (format == D3DFMT_D32 && Hooks().d32) || (format == D3DFMT_D16 && Hooks().d16);
}

void SetRenderMode(RenderMode mode)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().mode = mode;
}

bool IsHeadless()
{
    RenderMode mode;
    {
        std::lock_guard<std::mutex> guard(Hooks().lock);
        mode = Hooks().mode;
    }
    if (mode != RenderMode::Auto) return mode == RenderMode::Headless;
    return !sdl::VideoAvailable();
}

void RecordRenderCalls(bool enabled)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    g_Record.store(enabled);
}

bool RenderCallsRecorded() { return g_Record.load(std::memory_order_acquire); }

void RecordRenderCall(const char* method, std::vector<int64_t> args, HRESULT result)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    if (g_Record.load()) Hooks().calls.push_back({method, std::move(args), result});
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

void CountDrawnPrimitives(unsigned n) { g_Primitives.fetch_add(n, std::memory_order_relaxed); }

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

bool CaptureRequested()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    return Hooks().capture;
}

void StorePresented(Image image)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().presented = std::move(image);
}

Image LastPresented()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    return Hooks().presented;
}

void CountPresentedFrame()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    ++Hooks().frames;
}

unsigned PresentedFrames()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    return Hooks().frames;
}

void CountLive(const char* type, int delta)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().live[type] += delta;
}

int LiveObjects(const std::string& type)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    auto it = Hooks().live.find(type);
    return it == Hooks().live.end() ? 0 : it->second;
}

} // namespace testing
} // namespace platform
