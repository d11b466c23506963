#include "engine/core/render/dx9/SD3D9Texture.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreDX9Exception.h"
#include "engine/core/render/dx9/SD3D9RenderDevice.h"
#include "platform/d3dx9.h"

#include <cstring>

static const char* const kTarnSource = "Src\\dx9\\SD3D9Texture";

namespace SCore {
namespace {

IDirect3DDevice9* Native(const SRenderDeviceLock& lock) { return static_cast<IDirect3DDevice9*>(lock.Native()); }

UINT Levels(uint32_t mipLevels) { return mipLevels == 0 ? D3DX_DEFAULT : mipLevels; }

void ThrowLoadFailure(const std::string& prefix, HRESULT hr, bool file)
{
    switch (hr) {
    case D3DERR_NOTAVAILABLE: throw TarnCoreDX9Exception(prefix + " : NOTAVAILABLE");
    case D3DERR_OUTOFVIDEOMEMORY: throw TarnCoreDX9Exception(prefix + " : OUTOFVIDEOMEMORY");
    case D3DERR_INVALIDCALL: throw TarnCoreDX9Exception(prefix + " : INVALIDCALL");
    case D3DXERR_INVALIDDATA: throw TarnCoreDX9Exception(prefix + " : INVALIDDATA");
    case E_OUTOFMEMORY: throw TarnCoreDX9Exception(prefix + " : OUTOFMEMORY");
    case E_FILE_NOT_FOUND:
    case E_PATH_NOT_FOUND:
        if (file) throw TarnCoreDX9Exception(prefix + " : file not found");
        // fall through
    default:
        if (FAILED(hr)) throw TarnCoreDX9Exception(prefix + " : UNKNOWN ERROR");
    }
}

} // namespace

SD3D9Texture::~SD3D9Texture()
{
    try {
        Release();
    } catch (...) {
    }
}

void SD3D9Texture::Release()
{
    if (SD3D9RenderDevice* device = dynamic_cast<SD3D9RenderDevice*>(m_RenderDevice.get()))
        device->ForgetTexture(this);
    if (m_Texture) m_Texture->Release();
    m_Texture = nullptr;
}

void SD3D9Texture::DoKill() { Release(); }

void SD3D9Texture::FillSurface0Desc()
{
    SRenderDeviceLock lock(*m_RenderDevice);
    IDirect3DSurface9* surface = nullptr;
    if (SUCCEEDED(m_Texture->GetSurfaceLevel(0, &surface))) {
        surface->GetDesc(&m_Desc);
        surface->Release();
    }
}

void SD3D9Texture::DoCreate(uint32_t width, uint32_t height, uint32_t colourDepth)
{
    TARN_TRY
    uint32_t format;
    if (colourDepth == 32) format = D3DFMT_A8R8G8B8;
    else if (colourDepth == 16) format = D3DFMT_A1R5G5B5;
    else throw TarnCoreDX9Exception("can't create texture - unknown Color Depth");
    DoCreateEx(width, height, 0, format);
    TARN_CATCH("SD3D9Texture::DoCreate()")
}

void SD3D9Texture::DoCreateEx(uint32_t width, uint32_t height, uint32_t mipLevels, uint32_t format)
{
    TARN_TRY
    Release();
    HRESULT hr;
    {
        SRenderDeviceLock lock(*m_RenderDevice);
        hr = Native(lock)->CreateTexture(width, height, mipLevels, 0, D3DFORMAT(format), D3DPOOL_MANAGED, &m_Texture,
                                         nullptr);
    }
    switch (hr) {
    case E_OUTOFMEMORY: throw TarnCoreDX9Exception("can't create texture: OUTOFMEMORY");
    case D3DERR_OUTOFVIDEOMEMORY: throw TarnCoreDX9Exception("can't create texture: OUTOFVIDEOMEMORY");
    case D3DERR_INVALIDCALL: throw TarnCoreDX9Exception("can't create texture: INVALIDCALL");
    default:
        if (FAILED(hr) || !m_Texture) {
            m_Texture = nullptr;
            throw TarnCoreDX9Exception("can't create texture: UNKNOWN ERROR");
        }
    }
    FillSurface0Desc();
    TARN_CATCH("SD3D9Texture::DoCreateEx()")
}

void SD3D9Texture::DoCreateAsRenderTarget(uint32_t width, uint32_t height)
{
    TARN_TRY
    Release();
    D3DSURFACE_DESC backDesc;
    {
        SRenderDeviceLock lock(*m_RenderDevice);
        IDirect3DSurface9* back = nullptr;
        if (FAILED(Native(lock)->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back)))
            throw TarnCoreDX9Exception("can't create texture as render targer: GetBackBuffer(): INVALIDCALL");
        back->GetDesc(&backDesc);
        back->Release();
    }
    HRESULT hr;
    {
        SRenderDeviceLock lock(*m_RenderDevice);
        hr = Native(lock)->CreateTexture(width, height, 1, D3DUSAGE_RENDERTARGET, backDesc.Format, D3DPOOL_DEFAULT,
                                         &m_Texture, nullptr);
    }
    switch (hr) {
    case E_OUTOFMEMORY: throw TarnCoreDX9Exception("can't create texture as render targer: OUTOFMEMORY");
    case D3DERR_OUTOFVIDEOMEMORY: throw TarnCoreDX9Exception("can't create texture as render targer: OUTOFVIDEOMEMORY");
    case D3DERR_INVALIDCALL: throw TarnCoreDX9Exception("can't create texture as render targer: INVALIDCALL");
    default:
        if (FAILED(hr) || !m_Texture) {
            m_Texture = nullptr;
            throw TarnCoreDX9Exception("can't create texture as render targer: UNKNOWN ERROR");
        }
    }
    FillSurface0Desc();
    TARN_CATCH("SD3D9Texture::DoCreateAsRenderTarget()")
}

void SD3D9Texture::DoLockRect(uint32_t level, D3DLOCKED_RECT* locked, const RECT* rect, uint32_t flags)
{
    TARN_TRY
    m_RenderDevice->DoLockDevice();
    if (!m_Texture || FAILED(m_Texture->LockRect(level, locked, rect, flags))) {
        m_RenderDevice->DoUnlockDevice(); // a failed lock keeps no one waiting
        throw TarnCoreDX9Exception("can't lock texture");
    }
    TARN_CATCH("SD3D9Texture::DoLockRect()")
}

void SD3D9Texture::DoUnlockRect(uint32_t level)
{
    TARN_TRY
    HRESULT hr = m_Texture ? m_Texture->UnlockRect(level) : D3DERR_INVALIDCALL;
    m_RenderDevice->DoUnlockDevice();
    if (FAILED(hr)) throw TarnCoreDX9Exception("can't unlock texture");
    TARN_CATCH("SD3D9Texture::DoUnlockRect()")
}

void SD3D9Texture::DoLoad(const std::string& file, const STextureLoadParams& params)
{
    TARN_TRY
    Release();
    HRESULT hr;
    {
        SRenderDeviceLock lock(*m_RenderDevice);
        hr = D3DXCreateTextureFromFileExA(Native(lock), file.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, Levels(params.MipLevels),
                                          params.Usage, D3DFORMAT(params.Format), D3DPOOL(params.Pool), params.Filter,
                                          params.MipFilter, 0, nullptr, nullptr, &m_Texture);
    }
    if (FAILED(hr) || !m_Texture) m_Texture = nullptr;
    ThrowLoadFailure("can't load texture:" + file, !m_Texture && SUCCEEDED(hr) ? E_FAIL : hr, true);
    FillSurface0Desc();
    TARN_CATCH("SD3D9Texture::DoLoad()")
}

void SD3D9Texture::DoLoad(const std::string& file)
{
    TARN_TRY
    Release();
    HRESULT hr;
    {
        SRenderDeviceLock lock(*m_RenderDevice);
        hr = D3DXCreateTextureFromFileA(Native(lock), file.c_str(), &m_Texture);
    }
    if (FAILED(hr) || !m_Texture) m_Texture = nullptr;
    ThrowLoadFailure("can't load texture:" + file, !m_Texture && SUCCEEDED(hr) ? E_FAIL : hr, true);
    FillSurface0Desc();
    TARN_CATCH("SD3D9Texture::DoLoad()")
}

void SD3D9Texture::DoLoadFromMemory(const void* data, uint32_t size, const STextureLoadParams& params)
{
    TARN_TRY
    Release();
    HRESULT hr;
    {
        SRenderDeviceLock lock(*m_RenderDevice);
        hr = D3DXCreateTextureFromFileInMemoryEx(Native(lock), data, size, D3DX_DEFAULT, D3DX_DEFAULT,
                                                 Levels(params.MipLevels), params.Usage, D3DFORMAT(params.Format),
                                                 D3DPOOL(params.Pool), params.Filter, params.MipFilter, 0, nullptr,
                                                 nullptr, &m_Texture);
    }
    if (FAILED(hr) || !m_Texture) m_Texture = nullptr;
    ThrowLoadFailure("can't load texture from memory", !m_Texture && SUCCEEDED(hr) ? E_FAIL : hr, false);
    FillSurface0Desc();
    TARN_CATCH("SD3D9Texture::DoLoadFromMemory()")
}

void SD3D9Texture::DoLoadFromMemory(const void* data, uint32_t size)
{
    TARN_TRY
    Release();
    HRESULT hr;
    {
        SRenderDeviceLock lock(*m_RenderDevice);
        hr = D3DXCreateTextureFromFileInMemory(Native(lock), data, size, &m_Texture);
    }
    if (FAILED(hr) || !m_Texture) m_Texture = nullptr;
    ThrowLoadFailure("can't load texture from memory", !m_Texture && SUCCEEDED(hr) ? E_FAIL : hr, false);
    FillSurface0Desc();
    TARN_CATCH("SD3D9Texture::DoLoadFromMemory()")
}

void SD3D9Texture::DoSet(uint32_t stage)
{
    TARN_TRY
    m_RenderDevice->DoSetTexture(stage, this);
    TARN_CATCH("SD3D9Texture::DoSet()")
}

void SD3D9Texture::SetTextureTransformation(const SMatrix& matrix, uint32_t stage)
{
    TARN_TRY
    SRenderDeviceLock lock(*m_RenderDevice);
    Native(lock)->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    D3DMATRIX native;
    std::memcpy(native.m, matrix.m, sizeof native.m);
    if (FAILED(Native(lock)->SetTransform(D3DTRANSFORMSTATETYPE(D3DTS_TEXTURE0 + stage), &native)))
        throw TarnCoreDX9Exception("can't set transform for texture");
    TARN_CATCH("SD3D9Texture::SetTextureTransformation()")
}

void SD3D9Texture::ResetTextureTransformation(uint32_t stage)
{
    TARN_TRY
    SRenderDeviceLock lock(*m_RenderDevice);
    Native(lock)->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    TARN_CATCH("SD3D9Texture::ResetTextureTransformation()")
}

} // namespace SCore
