// The render layer's test hooks (platform/testing_render.h) and the bookkeeping the layer does
// for them (platform/d3d9/Hooks.h).

#include "platform/d3d9/Backend.h"
#include "platform/d3d9/Hooks.h"
#include "platform/d3d9/TextureData.h"
#include "platform/testing_render.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
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
    std::vector<DrawnQuad> quads;
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
    h.quads.clear();
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
    Hooks().quads.clear();
    g_Primitives.store(0);
}

unsigned DrawnPrimitives() { return g_Primitives.load(); }

std::vector<DrawnQuad> DrawnQuads()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    return Hooks().quads;
}

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
    static const bool registered = (sdl::SetTestWindowLookup(&hooks::LookUpTestWindow), true);
    (void)registered;
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

namespace {

// Where a vertex lands on the render target, and its texture coordinates.
struct PlacedVertex {
    float x, y, u, v;
};

PlacedVertex PlaceVertex(const render::DeviceState& s, const uint8_t* vertex)
{
    float p[4] = {0, 0, 0, 1}, t[2] = {0, 0};
    const bool pretransformed = (s.fvf & D3DFVF_XYZRHW) != 0;
    std::memcpy(p, vertex, 3 * sizeof(float));
    size_t offset = (pretransformed ? 16 : 12) + (s.fvf & D3DFVF_NORMAL ? 12 : 0) + (s.fvf & D3DFVF_DIFFUSE ? 4 : 0);
    if (s.fvf & D3DFVF_TEX1) std::memcpy(t, vertex + offset, sizeof t);
    if (pretransformed) return {p[0], p[1], t[0], t[1]};
    // Row vectors: p * world * view * projection, then the viewport.
    for (const D3DMATRIX* m : {&s.world, &s.view, &s.projection}) {
        float q[4];
        for (int c = 0; c < 4; ++c) q[c] = p[0] * m->m[0][c] + p[1] * m->m[1][c] + p[2] * m->m[2][c] + p[3] * m->m[3][c];
        std::memcpy(p, q, sizeof q);
    }
    const float w = p[3] != 0 ? p[3] : 1.0f;
    const D3DVIEWPORT9& vp = s.viewport;
    return {vp.X + (p[0] / w + 1) * 0.5f * vp.Width, vp.Y + (1 - p[1] / w) * 0.5f * vp.Height, t[0], t[1]};
}

} // namespace

void RecordDrawnQuads(const render::DeviceState& s, const render::DrawCall& call)
{
    if (call.type != D3DPT_TRIANGLELIST && call.type != D3DPT_TRIANGLESTRIP && call.type != D3DPT_TRIANGLEFAN) return;
    testing::DrawnQuad base = {};
    if (const IDirect3DTexture9* texture = s.textures[0]) {
        const render::TextureData& data = *texture->Data();
        if (!data.levels.empty()) {
            base.textureWidth = data.levels[0].width;
            base.textureHeight = data.levels[0].height;
        }
    }
    base.blended = s.renderStates[D3DRS_ALPHABLENDENABLE] != 0;
    base.linear = s.samplerStates[0][D3DSAMP_MAGFILTER] >= D3DTEXF_LINEAR;
    const uint8_t* vertices = s.stream->Bytes() + size_t(call.baseVertex) * s.streamStride;
    auto element = [&](UINT e) {
        UINT i = call.start + e;
        if (call.indexed) {
            const uint8_t* at = s.indices->Bytes() + size_t(i) * s.indices->IndexSize();
            if (s.indices->IndexSize() == 2) {
                uint16_t v;
                std::memcpy(&v, at, 2);
                i = v;
            } else {
                std::memcpy(&i, at, 4);
            }
        }
        return PlaceVertex(s, vertices + size_t(i) * s.streamStride);
    };
    std::vector<testing::DrawnQuad> quads;
    for (UINT pair = 0; pair < call.primCount; pair += 2) {
        const UINT triangles = std::min(2u, call.primCount - pair);
        // The elements of these triangles: a list's own three each, a strip's or a fan's shared ones.
        std::vector<UINT> elements;
        if (call.type == D3DPT_TRIANGLELIST) {
            for (UINT e = 3 * pair; e < 3 * (pair + triangles); ++e) elements.push_back(e);
        } else {
            if (call.type == D3DPT_TRIANGLEFAN) elements.push_back(0);
            for (UINT e = call.type == D3DPT_TRIANGLEFAN ? pair + 1 : pair; e < pair + triangles + 2; ++e)
                elements.push_back(e);
        }
        testing::DrawnQuad q = base;
        const PlacedVertex first = element(elements[0]);
        q.left = q.right = first.x;
        q.top = q.bottom = first.y;
        q.u0 = q.u1 = first.u;
        q.v0 = q.v1 = first.v;
        auto span = [](float& low, float& high, float value) {
            low = std::min(low, value);
            high = std::max(high, value);
        };
        for (UINT e : elements) {
            const PlacedVertex v = element(e);
            span(q.left, q.right, v.x);
            span(q.top, q.bottom, v.y);
            span(q.u0, q.u1, v.u);
            span(q.v0, q.v1, v.v);
        }
        quads.push_back(q);
    }
    std::lock_guard<std::mutex> guard(Hooks().lock);
    if (g_Record.load()) Hooks().quads.insert(Hooks().quads.end(), quads.begin(), quads.end());
}

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
