// Reference counting and the resources of the device: textures, their surfaces, vertex and index
// buffers. All of them are CPU memory and may be created, locked and released on any thread.

#include "platform/d3d9.h"
#include "platform/d3d9/Hooks.h"
#include "platform/d3d9/TextureData.h"
#include "platform/posix/Hooks.h"

#include <atomic>
#include <cstring>

using platform::render::TextureData;
using platform::hooks::CountLive;
using platform::hooks::TakeInjected;

// --- Textures --------------------------------------------------------------------------------------

namespace platform {
namespace render {
namespace {
std::atomic<int> g_LiveRenderTargets{0};
}

int LiveRenderTargets() { return g_LiveRenderTargets.load(); }

void TextureData::Allocate(UINT width, UINT height, UINT levelCount, D3DFORMAT fmt)
{
    format = fmt;
    UINT full = FullChain(width, height);
    if (levelCount == 0 || levelCount > full) levelCount = full;
    levels.assign(levelCount, TextureLevel());
    for (UINT i = 0; i < levelCount; ++i) {
        levels[i].width = width;
        levels[i].height = height;
        levels[i].bytes.assign(size_t(width) * height * BytesPerTexel(fmt), 0);
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
    }
}

} // namespace render
} // namespace platform

IDirect3DTexture9::IDirect3DTexture9(std::shared_ptr<TextureData> data) : m_Data(std::move(data))
{
    CountLive("IDirect3DTexture9", 1);
    if (m_Data->usage & D3DUSAGE_RENDERTARGET) ++platform::render::g_LiveRenderTargets;
}

IDirect3DTexture9::~IDirect3DTexture9()
{
    CountLive("IDirect3DTexture9", -1);
    if (m_Data->usage & D3DUSAGE_RENDERTARGET) --platform::render::g_LiveRenderTargets;
}

DWORD IDirect3DTexture9::GetLevelCount()
{
    std::lock_guard<std::mutex> guard(m_Data->lock);
    return DWORD(m_Data->levels.size());
}

HRESULT IDirect3DTexture9::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc)
{
    std::lock_guard<std::mutex> guard(m_Data->lock);
    if (!desc || level >= m_Data->levels.size()) return D3DERR_INVALIDCALL;
    desc->Format = m_Data->format;
    desc->Type = D3DRTYPE_SURFACE;
    desc->Usage = m_Data->usage;
    desc->Pool = m_Data->pool;
    desc->MultiSampleType = D3DMULTISAMPLE_NONE;
    desc->MultiSampleQuality = 0;
    desc->Width = m_Data->levels[level].width;
    desc->Height = m_Data->levels[level].height;
    return D3D_OK;
}

HRESULT IDirect3DTexture9::GetSurfaceLevel(UINT level, IDirect3DSurface9** surface)
{
    HRESULT hr = TakeInjected("IDirect3DTexture9::GetSurfaceLevel");
    if (FAILED(hr)) return hr;
    D3DSURFACE_DESC desc;
    if (!surface || FAILED(GetLevelDesc(level, &desc))) return D3DERR_INVALIDCALL;
    *surface = new IDirect3DSurface9(this, level, desc);
    return D3D_OK;
}

HRESULT IDirect3DTexture9::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD)
{
    HRESULT hr = TakeInjected("IDirect3DTexture9::LockRect");
    if (FAILED(hr)) return hr;
    std::lock_guard<std::mutex> guard(m_Data->lock);
    if (!locked || level >= m_Data->levels.size()) return D3DERR_INVALIDCALL;
    platform::render::TextureLevel& l = m_Data->levels[level];
    UINT bpp = TextureData::BytesPerTexel(m_Data->format);
    RECT whole = {0, 0, LONG(l.width), LONG(l.height)};
    const RECT& r = rect ? *rect : whole;
    if (r.left < 0 || r.top < 0 || r.right > LONG(l.width) || r.bottom > LONG(l.height) ||
        r.left >= r.right || r.top >= r.bottom)
        return D3DERR_INVALIDCALL;
    locked->Pitch = INT(l.width * bpp);
    locked->pBits = l.bytes.data() + (size_t(r.top) * l.width + size_t(r.left)) * bpp;
    l.locked = true;
    return D3D_OK;
}

HRESULT IDirect3DTexture9::UnlockRect(UINT level)
{
    HRESULT hr = TakeInjected("IDirect3DTexture9::UnlockRect");
    if (FAILED(hr)) return hr;
    std::lock_guard<std::mutex> guard(m_Data->lock);
    if (level >= m_Data->levels.size() || !m_Data->levels[level].locked) return D3DERR_INVALIDCALL;
    m_Data->levels[level].locked = false;
    m_Data->levels[level].dirty = true;
    return D3D_OK;
}

// --- Surfaces --------------------------------------------------------------------------------------

IDirect3DSurface9::IDirect3DSurface9(IDirect3DTexture9* owner, UINT level,
                                     const D3DSURFACE_DESC& desc)
    : m_Owner(owner), m_Level(level), m_Desc(desc)
{
    if (m_Owner) m_Owner->AddRef();
    CountLive("IDirect3DSurface9", 1);
}

IDirect3DSurface9::~IDirect3DSurface9()
{
    if (m_Owner) m_Owner->Release();
    CountLive("IDirect3DSurface9", -1);
}

HRESULT IDirect3DSurface9::GetDesc(D3DSURFACE_DESC* desc)
{
    HRESULT hr = TakeInjected("IDirect3DSurface9::GetDesc");
    if (FAILED(hr)) return hr;
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = m_Desc;
    return D3D_OK;
}

// --- Buffers ---------------------------------------------------------------------------------------

namespace {

// The CPU copy is never empty, so a lock of a zero-length buffer still gives a usable pointer.
HRESULT LockBytes(std::vector<uint8_t>& bytes, UINT offset, UINT size, void** data)
{
    if (!data) return D3DERR_INVALIDCALL;
    size_t length = bytes.size() - 1;
    if (offset > length || (size != 0 && size_t(offset) + size > length)) return D3DERR_INVALIDCALL;
    *data = bytes.data() + offset;
    return D3D_OK;
}

} // namespace

IDirect3DVertexBuffer9::IDirect3DVertexBuffer9(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool)
    : m_Bytes(size_t(length) + 1, 0)
{
    m_Desc = {D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, usage, pool, length, fvf};
    CountLive("IDirect3DVertexBuffer9", 1);
}

IDirect3DVertexBuffer9::~IDirect3DVertexBuffer9() { CountLive("IDirect3DVertexBuffer9", -1); }

HRESULT IDirect3DVertexBuffer9::Lock(UINT offset, UINT size, void** data, DWORD)
{
    HRESULT hr = TakeInjected("IDirect3DVertexBuffer9::Lock");
    if (FAILED(hr)) return hr;
    return LockBytes(m_Bytes, offset, size, data);
}

HRESULT IDirect3DVertexBuffer9::Unlock() { return TakeInjected("IDirect3DVertexBuffer9::Unlock"); }

HRESULT IDirect3DVertexBuffer9::GetDesc(D3DVERTEXBUFFER_DESC* desc)
{
    HRESULT hr = TakeInjected("IDirect3DVertexBuffer9::GetDesc");
    if (FAILED(hr)) return hr;
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = m_Desc;
    return D3D_OK;
}

IDirect3DIndexBuffer9::IDirect3DIndexBuffer9(UINT length, DWORD usage, D3DFORMAT format,
                                             D3DPOOL pool)
    : m_Bytes(size_t(length) + 1, 0)
{
    m_Desc = {format, D3DRTYPE_INDEXBUFFER, usage, pool, length};
    CountLive("IDirect3DIndexBuffer9", 1);
}

IDirect3DIndexBuffer9::~IDirect3DIndexBuffer9() { CountLive("IDirect3DIndexBuffer9", -1); }

HRESULT IDirect3DIndexBuffer9::Lock(UINT offset, UINT size, void** data, DWORD)
{
    HRESULT hr = TakeInjected("IDirect3DIndexBuffer9::Lock");
    if (FAILED(hr)) return hr;
    return LockBytes(m_Bytes, offset, size, data);
}

HRESULT IDirect3DIndexBuffer9::Unlock() { return TakeInjected("IDirect3DIndexBuffer9::Unlock"); }

HRESULT IDirect3DIndexBuffer9::GetDesc(D3DINDEXBUFFER_DESC* desc)
{
    HRESULT hr = TakeInjected("IDirect3DIndexBuffer9::GetDesc");
    if (FAILED(hr)) return hr;
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = m_Desc;
    return D3D_OK;
}
