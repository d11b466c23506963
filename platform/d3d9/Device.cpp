// IDirect3DDevice9: every setter writes the CPU shadow (any thread); clear, draw and present
// validate their arguments and hand the shadow to the backend (main thread only).

#include "platform/d3d9.h"
#include "platform/d3d9/Backend.h"
#include "platform/d3d9/Hooks.h"
#include "platform/d3d9/TextureData.h"
#include "platform/posix/Hooks.h"
#include "platform/sdl/RenderWindow.h"

#include <cstdio>
#include <cstring>
#include <thread>

using platform::render::DeviceState;
using platform::render::DrawCall;
using platform::render::kStages;
using platform::hooks::RecordRenderCall;
using platform::hooks::RenderCallsRecorded;
using platform::hooks::TakeInjected;

namespace {

std::thread::id g_MainThread;

// A pointer argument as the call log keeps it: 1 when given, 0 when null.
int64_t PointerArg(const void* p) { return p ? 1 : 0; }

#define RECORD(method, result, ...)                                                              \
    do {                                                                                         \
        if (RenderCallsRecorded()) RecordRenderCall(method, {__VA_ARGS__}, result);              \
    } while (0)

bool OnMainThread(const char* method)
{
    if (std::this_thread::get_id() == g_MainThread) return true;
    std::fprintf(stderr, "IDirect3DDevice9::%s called off the main thread\n", method);
    return false;
}

// Elements (vertices or indices) that primCount primitives of a type read.
bool ElementCount(D3DPRIMITIVETYPE type, UINT primCount, uint64_t* count)
{
    uint64_t n = primCount;
    switch (type) {
    case D3DPT_POINTLIST: *count = n; return true;
    case D3DPT_LINELIST: *count = 2 * n; return true;
    case D3DPT_LINESTRIP: *count = n + 1; return true;
    case D3DPT_TRIANGLELIST: *count = 3 * n; return true;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: *count = n + 2; return true;
    }
    return false;
}

bool ValidTransform(D3DTRANSFORMSTATETYPE type)
{
    return type == D3DTS_WORLD || type == D3DTS_VIEW || type == D3DTS_PROJECTION ||
           (type >= D3DTS_TEXTURE0 && type <= D3DTS_TEXTURE7);
}

D3DMATRIX* TransformSlot(DeviceState& s, D3DTRANSFORMSTATETYPE type)
{
    switch (type) {
    case D3DTS_WORLD: return &s.world;
    case D3DTS_VIEW: return &s.view;
    case D3DTS_PROJECTION: return &s.projection;
    default: return &s.textureTransforms[type - D3DTS_TEXTURE0];
    }
}

// A stride shorter than the vertex format would make the draw read past the last vertex.
bool StreamFitsFormat(const DeviceState& s)
{
    return s.stream && s.fvf != 0 && s.streamStride != 0 &&
           s.streamStride >= platform::render::VertexSize(s.fvf);
}

} // namespace

IDirect3DDevice9::IDirect3DDevice9(IDirect3D9* parent,
                                   std::unique_ptr<platform::render::Backend> backend,
                                   const D3DPRESENT_PARAMETERS& params)
    : m_Parent(parent), m_State(new DeviceState), m_Backend(std::move(backend))
{
    g_MainThread = std::this_thread::get_id();
    m_Parent->AddRef();
    m_State->params = params;
    m_State->SetDefaults();
    platform::hooks::CountLive("IDirect3DDevice9", 1);
}

IDirect3DDevice9::~IDirect3DDevice9()
{
    m_State->ReleaseBindings();
    if (m_State->backBuffer) m_State->backBuffer->Release();
    m_State->backBuffer = nullptr;
    m_Backend.reset();
    m_Parent->Release();
    platform::hooks::CountLive("IDirect3DDevice9", -1);
}

// --- Presentation and loss ----------------------------------------------------------------------

HRESULT IDirect3DDevice9::TestCooperativeLevel()
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::TestCooperativeLevel");
    if (hr == S_OK) hr = platform::hooks::SimulatedCooperativeLevel();
    RECORD("TestCooperativeLevel", hr);
    return hr;
}

HRESULT IDirect3DDevice9::Reset(D3DPRESENT_PARAMETERS* params)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::Reset");
    if (hr == S_OK && (!params || !OnMainThread("Reset"))) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK && platform::render::LiveRenderTargets() > 0) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        D3DPRESENT_PARAMETERS p = *params;
        if (p.Windowed && (p.BackBufferWidth == 0 || p.BackBufferHeight == 0)) {
            // Zero asks for the window's client size (the previous size when it is unknown).
            platform::sdl::RenderWindow w;
            bool known = platform::sdl::LookUpRenderWindow(m_State->params.hDeviceWindow, &w) && w.width > 0;
            p.BackBufferWidth = known ? UINT(w.width) : m_State->params.BackBufferWidth;
            p.BackBufferHeight = known ? UINT(w.height) : m_State->params.BackBufferHeight;
        }
        if (!p.hDeviceWindow) p.hDeviceWindow = m_State->params.hDeviceWindow;
        if (p.BackBufferFormat == D3DFMT_UNKNOWN) p.BackBufferFormat = m_State->params.BackBufferFormat;
        hr = platform::sdl::FitsSurface(long(p.BackBufferWidth), long(p.BackBufferHeight))
                 ? m_Backend->Configure(p.hDeviceWindow, p)
                 : D3DERR_INVALIDCALL;
        if (hr == S_OK) {
            std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
            m_State->params = p;
            m_State->SetDefaults();
            D3DSURFACE_DESC desc = {p.BackBufferFormat, D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET,
                                    D3DPOOL_DEFAULT, D3DMULTISAMPLE_NONE, 0, p.BackBufferWidth,
                                    p.BackBufferHeight};
            if (m_State->backBuffer) m_State->backBuffer->Release();
            m_State->backBuffer = new IDirect3DSurface9(nullptr, 0, desc);
            platform::hooks::DeviceWasReset();
        }
    }
    RECORD("Reset", hr, params ? params->BackBufferWidth : 0, params ? params->BackBufferHeight : 0,
           params ? params->Windowed : 0);
    return hr;
}

HRESULT IDirect3DDevice9::BeginScene()
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::BeginScene");
    if (hr == S_OK && (!OnMainThread("BeginScene") || m_State->inScene)) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) m_State->inScene = true;
    RECORD("BeginScene", hr);
    return hr;
}

HRESULT IDirect3DDevice9::EndScene()
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::EndScene");
    if (hr == S_OK && (!OnMainThread("EndScene") || !m_State->inScene)) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) m_State->inScene = false;
    RECORD("EndScene", hr);
    return hr;
}

HRESULT IDirect3DDevice9::Present(const RECT*, const RECT*, HWND, const void*)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::Present");
    if (hr == S_OK && !OnMainThread("Present")) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK && platform::hooks::SimulatedLoss()) hr = D3DERR_DEVICELOST;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        m_Backend->Present(*m_State);
        ++m_State->frames;
        platform::hooks::CountPresentedFrame();
    }
    RECORD("Present", hr);
    return hr;
}

HRESULT IDirect3DDevice9::GetRenderTarget(DWORD index, IDirect3DSurface9** surface)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::GetRenderTarget");
    if (hr == S_OK && (index != 0 || !surface)) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        *surface = m_State->renderTarget ? m_State->renderTarget : m_State->backBuffer;
        (*surface)->AddRef();
    }
    RECORD("GetRenderTarget", hr, index);
    return hr;
}

HRESULT IDirect3DDevice9::GetBackBuffer(UINT, UINT index, D3DBACKBUFFER_TYPE,
                                        IDirect3DSurface9** surface)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::GetBackBuffer");
    if (hr == S_OK && (index != 0 || !surface)) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        *surface = m_State->backBuffer;
        (*surface)->AddRef();
    }
    RECORD("GetBackBuffer", hr, index);
    return hr;
}

HRESULT IDirect3DDevice9::SetRenderTarget(DWORD index, IDirect3DSurface9* surface)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::SetRenderTarget");
    if (hr == S_OK && (index != 0 || !surface)) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK && surface->OwnerTexture() && !(surface->Desc().Usage & D3DUSAGE_RENDERTARGET))
        hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        IDirect3DSurface9* target = surface == m_State->backBuffer ? nullptr : surface;
        if (target) target->AddRef();
        if (m_State->renderTarget) m_State->renderTarget->Release();
        m_State->renderTarget = target;
        m_State->viewport = {0, 0, m_State->TargetWidth(), m_State->TargetHeight(), 0.0f, 1.0f};
    }
    RECORD("SetRenderTarget", hr, index, PointerArg(surface));
    return hr;
}

// --- Per-frame state ----------------------------------------------------------------------------

HRESULT IDirect3DDevice9::Clear(DWORD count, const void* rects, DWORD flags, D3DCOLOR colour,
                                float z, DWORD)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::Clear");
    if (hr == S_OK && (!OnMainThread("Clear") || (count != 0 && rects != nullptr)))
        hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        m_Backend->Clear(*m_State, flags, colour, z);
    }
    int32_t zBits;
    std::memcpy(&zBits, &z, sizeof zBits);
    RECORD("Clear", hr, flags, colour, zBits);
    return hr;
}

HRESULT IDirect3DDevice9::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::SetTransform");
    if (hr == S_OK && (!matrix || !ValidTransform(type))) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        *TransformSlot(*m_State, type) = *matrix;
    }
    RECORD("SetTransform", hr, type);
    return hr;
}

HRESULT IDirect3DDevice9::GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::GetTransform");
    if (hr == S_OK && (!matrix || !ValidTransform(type))) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        *matrix = *TransformSlot(*m_State, type);
    }
    return hr;
}

HRESULT IDirect3DDevice9::SetViewport(const D3DVIEWPORT9* viewport)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::SetViewport");
    if (hr == S_OK && !viewport) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        if (uint64_t(viewport->X) + viewport->Width > m_State->TargetWidth() ||
            uint64_t(viewport->Y) + viewport->Height > m_State->TargetHeight())
            hr = D3DERR_INVALIDCALL;
        else
            m_State->viewport = *viewport;
    }
    RECORD("SetViewport", hr, viewport ? viewport->X : 0, viewport ? viewport->Y : 0,
           viewport ? viewport->Width : 0, viewport ? viewport->Height : 0);
    return hr;
}

HRESULT IDirect3DDevice9::GetViewport(D3DVIEWPORT9* viewport)
{
    if (!viewport) return D3DERR_INVALIDCALL;
    std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
    *viewport = m_State->viewport;
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::SetRenderState");
    if (hr == S_OK && state >= D3DRS_MAX_STATE) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        m_State->renderStates[state] = value;
    }
    RECORD("SetRenderState", hr, state, value);
    return hr;
}

HRESULT IDirect3DDevice9::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value)
{
    if (!value || state >= D3DRS_MAX_STATE) return D3DERR_INVALIDCALL;
    *value = m_State->renderStates[state];
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                               DWORD value)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::SetTextureStageState");
    if (hr == S_OK && (stage >= kStages || type >= D3DTSS_MAX_STATE)) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        m_State->stageStates[stage][type] = value;
    }
    RECORD("SetTextureStageState", hr, stage, type, value);
    return hr;
}

HRESULT IDirect3DDevice9::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                               DWORD* value)
{
    if (!value || stage >= kStages || type >= D3DTSS_MAX_STATE) return D3DERR_INVALIDCALL;
    *value = m_State->stageStates[stage][type];
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetSamplerState(DWORD stage, D3DSAMPLERSTATETYPE type, DWORD value)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::SetSamplerState");
    if (hr == S_OK && (stage >= kStages || type >= D3DSAMP_MAX_STATE)) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        m_State->samplerStates[stage][type] = value;
    }
    RECORD("SetSamplerState", hr, stage, type, value);
    return hr;
}

HRESULT IDirect3DDevice9::GetSamplerState(DWORD stage, D3DSAMPLERSTATETYPE type, DWORD* value)
{
    if (!value || stage >= kStages || type >= D3DSAMP_MAX_STATE) return D3DERR_INVALIDCALL;
    *value = m_State->samplerStates[stage][type];
    return D3D_OK;
}

HRESULT IDirect3DDevice9::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::SetTexture");
    if (hr == S_OK && stage >= kStages) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        IDirect3DTexture9* t = static_cast<IDirect3DTexture9*>(texture);
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        if (m_State->textures[stage] != t) { // sprites set their shared texture again and again
            if (t) t->AddRef();
            if (m_State->textures[stage]) m_State->textures[stage]->Release();
            m_State->textures[stage] = t;
        }
    }
    RECORD("SetTexture", hr, stage, PointerArg(texture));
    return hr;
}

// --- Drawing ------------------------------------------------------------------------------------

HRESULT IDirect3DDevice9::SetFVF(DWORD fvf)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::SetFVF");
    if (hr == S_OK && platform::render::VertexSize(fvf) == 0) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        m_State->fvf = fvf;
    }
    RECORD("SetFVF", hr, fvf);
    return hr;
}

HRESULT IDirect3DDevice9::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset,
                                          UINT stride)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::SetStreamSource");
    if (hr == S_OK && (stream != 0 || offset != 0)) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        if (buffer) buffer->AddRef();
        if (m_State->stream) m_State->stream->Release();
        m_State->stream = buffer;
        m_State->streamStride = stride;
    }
    RECORD("SetStreamSource", hr, stream, PointerArg(buffer), offset, stride);
    return hr;
}

HRESULT IDirect3DDevice9::SetIndices(IDirect3DIndexBuffer9* buffer)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::SetIndices");
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        if (buffer) buffer->AddRef();
        if (m_State->indices) m_State->indices->Release();
        m_State->indices = buffer;
    }
    RECORD("SetIndices", hr, PointerArg(buffer));
    return hr;
}

HRESULT IDirect3DDevice9::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primCount)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::DrawPrimitive");
    uint64_t count = 0;
    if (hr == S_OK && (!OnMainThread("DrawPrimitive") || !ElementCount(type, primCount, &count)))
        hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        DeviceState& s = *m_State;
        if (!StreamFitsFormat(s) || startVertex + count > s.stream->Length() / s.streamStride)
            hr = D3DERR_INVALIDCALL;
        else if (primCount > 0) {
            DrawCall call = {type, primCount, false, startVertex, 0};
            m_Backend->Draw(s, call);
            platform::hooks::CountDrawnPrimitives(primCount);
            if (RenderCallsRecorded()) platform::hooks::RecordDrawnQuads(s, call);
        }
    }
    RECORD("DrawPrimitive", hr, type, startVertex, primCount);
    return hr;
}

HRESULT IDirect3DDevice9::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertex,
                                               UINT minIndex, UINT numVertices, UINT startIndex,
                                               UINT primCount)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::DrawIndexedPrimitive");
    uint64_t count = 0;
    if (hr == S_OK && (!OnMainThread("DrawIndexedPrimitive") || baseVertex < 0 ||
                       !ElementCount(type, primCount, &count)))
        hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        std::lock_guard<platform::RecursiveLock> guard(m_State->lock);
        DeviceState& s = *m_State;
        if (!StreamFitsFormat(s) || !s.indices ||
            startIndex + count > s.indices->Length() / s.indices->IndexSize()) {
            hr = D3DERR_INVALIDCALL;
        } else {
            // Every index must name a vertex of the bound stream: the arrays are host memory.
            uint64_t vertices = s.stream->Length() / s.streamStride;
            const uint8_t* bytes = s.indices->Bytes();
            UINT size = s.indices->IndexSize();
            for (uint64_t i = startIndex; i < startIndex + count; ++i) {
                uint32_t index = 0;
                if (size == 2) {
                    uint16_t v;
                    std::memcpy(&v, bytes + i * 2, 2);
                    index = v;
                } else {
                    std::memcpy(&index, bytes + i * 4, 4);
                }
                if (uint64_t(index) + uint64_t(baseVertex) >= vertices) {
                    hr = D3DERR_INVALIDCALL;
                    break;
                }
            }
            if (hr == S_OK && primCount > 0) {
                DrawCall call = {type, primCount, true, startIndex, UINT(baseVertex)};
                m_Backend->Draw(s, call);
                platform::hooks::CountDrawnPrimitives(primCount);
                if (RenderCallsRecorded()) platform::hooks::RecordDrawnQuads(s, call);
            }
        }
    }
    RECORD("DrawIndexedPrimitive", hr, type, baseVertex, minIndex, numVertices, startIndex,
           primCount);
    return hr;
}

// --- Resources ----------------------------------------------------------------------------------

HRESULT IDirect3DDevice9::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                             IDirect3DVertexBuffer9** buffer, HANDLE*)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::CreateVertexBuffer");
    if (hr == S_OK && !buffer) hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) *buffer = new IDirect3DVertexBuffer9(length, usage, fvf, pool);
    RECORD("CreateVertexBuffer", hr, length, usage, fvf, pool);
    return hr;
}

HRESULT IDirect3DDevice9::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format,
                                            D3DPOOL pool, IDirect3DIndexBuffer9** buffer, HANDLE*)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::CreateIndexBuffer");
    if (hr == S_OK && (!buffer || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32)))
        hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) *buffer = new IDirect3DIndexBuffer9(length, usage, format, pool);
    RECORD("CreateIndexBuffer", hr, length, usage, format, pool);
    return hr;
}

HRESULT IDirect3DDevice9::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                        D3DFORMAT format, D3DPOOL pool,
                                        IDirect3DTexture9** texture, HANDLE*)
{
    HRESULT hr = TakeInjected("IDirect3DDevice9::CreateTexture");
    bool target = (usage & D3DUSAGE_RENDERTARGET) != 0;
    if (hr == S_OK && (!texture || width == 0 || height == 0 ||
                       width > UINT(platform::sdl::kDeviceMaxSide) || height > UINT(platform::sdl::kDeviceMaxSide) ||
                       !platform::render::TextureData::IsTextureFormat(format) ||
                       (target && (pool != D3DPOOL_DEFAULT || levels != 1))))
        hr = D3DERR_INVALIDCALL;
    if (hr == S_OK) {
        auto data = std::make_shared<platform::render::TextureData>();
        data->Allocate(width, height, levels, format);
        data->usage = usage;
        data->pool = pool;
        *texture = new IDirect3DTexture9(data);
    }
    RECORD("CreateTexture", hr, width, height, levels, usage, format, pool);
    return hr;
}
