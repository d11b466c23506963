#pragma once
// Direct3D 9 as the engine calls it: the Direct3D object, the device, vertex and index buffers,
// textures and surfaces, with the platform's names and numbers.
//
// All device state is a CPU shadow; buffers and textures live in CPU memory (the managed pool).
// A backend applies the shadow when the device clears, draws and presents: OpenGL 2.1 on the
// main thread, or the headless recorder when no display is present (platform/gl, platform/headless).
// Not reproduced: real device loss (simulated by the test hooks), several adapters and display
// modes beyond the configured ones, multisampling, stencil, lights, vertex shaders.

#include "platform/unknwn.h"
#include "platform/wintypes.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

typedef uint32_t D3DCOLOR;
typedef uint32_t ULONG;

#define D3D_SDK_VERSION 31

// --- Results -------------------------------------------------------------------------------------
#define D3D_OK S_OK
#define D3DERR_DEVICELOST ((HRESULT)0x88760868L)
#define D3DERR_DEVICENOTRESET ((HRESULT)0x88760869L)
#define D3DERR_NOTAVAILABLE ((HRESULT)0x8876086AL)
#define D3DERR_INVALIDDEVICE ((HRESULT)0x8876086BL)
#define D3DERR_INVALIDCALL ((HRESULT)0x8876086CL)
#define D3DERR_DRIVERINTERNALERROR ((HRESULT)0x88760827L)
#define D3DERR_OUTOFVIDEOMEMORY ((HRESULT)0x8876017CL)
#define D3DXERR_INVALIDDATA ((HRESULT)0x88760B59L)

// --- Enumerations --------------------------------------------------------------------------------
enum D3DFORMAT : uint32_t {
    D3DFMT_UNKNOWN = 0,
    D3DFMT_A8R8G8B8 = 21,
    D3DFMT_X8R8G8B8 = 22,
    D3DFMT_R5G6B5 = 23,
    D3DFMT_A1R5G5B5 = 25,
    D3DFMT_D32 = 71,
    D3DFMT_D16 = 80,
    D3DFMT_VERTEXDATA = 100,
    D3DFMT_INDEX16 = 101,
    D3DFMT_INDEX32 = 102,
};

enum D3DDEVTYPE : uint32_t { D3DDEVTYPE_HAL = 1 };
enum D3DRESOURCETYPE : uint32_t {
    D3DRTYPE_SURFACE = 1,
    D3DRTYPE_TEXTURE = 3,
    D3DRTYPE_VERTEXBUFFER = 6,
    D3DRTYPE_INDEXBUFFER = 7,
};
enum D3DPOOL : uint32_t { D3DPOOL_DEFAULT = 0, D3DPOOL_MANAGED = 1 };
enum D3DMULTISAMPLE_TYPE : uint32_t { D3DMULTISAMPLE_NONE = 0 };
enum D3DSWAPEFFECT : uint32_t { D3DSWAPEFFECT_DISCARD = 1 };
enum D3DBACKBUFFER_TYPE : uint32_t { D3DBACKBUFFER_TYPE_MONO = 0 };

enum D3DPRIMITIVETYPE : uint32_t {
    D3DPT_POINTLIST = 1,
    D3DPT_LINELIST = 2,
    D3DPT_LINESTRIP = 3,
    D3DPT_TRIANGLELIST = 4,
    D3DPT_TRIANGLESTRIP = 5,
    D3DPT_TRIANGLEFAN = 6,
};

enum D3DTRANSFORMSTATETYPE : uint32_t {
    D3DTS_VIEW = 2,
    D3DTS_PROJECTION = 3,
    D3DTS_TEXTURE0 = 16,
    D3DTS_TEXTURE1 = 17,
    D3DTS_TEXTURE7 = 23,
    D3DTS_WORLD = 256,
};

enum D3DRENDERSTATETYPE : uint32_t {
    D3DRS_ZENABLE = 7,
    D3DRS_FILLMODE = 8,
    D3DRS_ZWRITEENABLE = 14,
    D3DRS_SRCBLEND = 19,
    D3DRS_DESTBLEND = 20,
    D3DRS_CULLMODE = 22,
    D3DRS_ZFUNC = 23,
    D3DRS_ALPHABLENDENABLE = 27,
    D3DRS_FOGENABLE = 28,
    D3DRS_FOGCOLOR = 34,
    D3DRS_FOGTABLEMODE = 35,
    D3DRS_FOGSTART = 36,
    D3DRS_FOGEND = 37,
    D3DRS_FOGDENSITY = 38,
    D3DRS_RANGEFOGENABLE = 48,
    D3DRS_LIGHTING = 137,
    D3DRS_FOGVERTEXMODE = 140,
};
#define D3DRS_MAX_STATE 256

enum D3DTEXTURESTAGESTATETYPE : uint32_t {
    D3DTSS_COLOROP = 1,
    D3DTSS_COLORARG1 = 2,
    D3DTSS_COLORARG2 = 3,
    D3DTSS_ALPHAOP = 4,
    D3DTSS_ALPHAARG1 = 5,
    D3DTSS_ALPHAARG2 = 6,
    D3DTSS_TEXTURETRANSFORMFLAGS = 24,
};
#define D3DTSS_MAX_STATE 33

enum D3DSAMPLERSTATETYPE : uint32_t {
    D3DSAMP_ADDRESSU = 1,
    D3DSAMP_ADDRESSV = 2,
    D3DSAMP_MAGFILTER = 5,
    D3DSAMP_MINFILTER = 6,
    D3DSAMP_MIPFILTER = 7,
};
#define D3DSAMP_MAX_STATE 14

enum D3DTEXTUREFILTERTYPE : uint32_t {
    D3DTEXF_NONE = 0,
    D3DTEXF_POINT = 1,
    D3DTEXF_LINEAR = 2,
    D3DTEXF_ANISOTROPIC = 3,
};
enum D3DTEXTUREADDRESS : uint32_t { D3DTADDRESS_WRAP = 1 };

enum D3DTEXTUREOP : uint32_t {
    D3DTOP_DISABLE = 1,
    D3DTOP_SELECTARG1 = 2,
    D3DTOP_SELECTARG2 = 3,
    D3DTOP_MODULATE = 4,
    D3DTOP_MODULATE2X = 5,
    D3DTOP_MODULATE4X = 6,
    D3DTOP_ADD = 7,
    D3DTOP_ADDSIGNED = 8,
    D3DTOP_ADDSIGNED2X = 9,
    D3DTOP_SUBTRACT = 10,
    D3DTOP_LERP = 26,
};
#define D3DTA_DIFFUSE 0
#define D3DTA_CURRENT 1
#define D3DTA_TEXTURE 2

enum D3DTEXTURETRANSFORMFLAGS : uint32_t { D3DTTFF_DISABLE = 0, D3DTTFF_COUNT2 = 2 };

enum D3DFILLMODE : uint32_t { D3DFILL_POINT = 1, D3DFILL_WIREFRAME = 2, D3DFILL_SOLID = 3 };
enum D3DCULL : uint32_t { D3DCULL_NONE = 1, D3DCULL_CW = 2, D3DCULL_CCW = 3 };
enum D3DBLEND : uint32_t {
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCCOLOR = 3,
    D3DBLEND_INVSRCCOLOR = 4,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
    D3DBLEND_DESTALPHA = 7,
    D3DBLEND_INVDESTALPHA = 8,
    D3DBLEND_DESTCOLOR = 9,
    D3DBLEND_INVDESTCOLOR = 10,
    D3DBLEND_SRCALPHASAT = 11,
    D3DBLEND_BOTHSRCALPHA = 12,
    D3DBLEND_BOTHINVSRCALPHA = 13,
};
enum D3DFOGMODE : uint32_t { D3DFOG_NONE = 0, D3DFOG_EXP = 1, D3DFOG_LINEAR = 3 };
enum D3DCMPFUNC : uint32_t { D3DCMP_LESSEQUAL = 4 };

// --- Flags ---------------------------------------------------------------------------------------
#define D3DCLEAR_TARGET 0x1u
#define D3DCLEAR_ZBUFFER 0x2u

#define D3DCREATE_SOFTWARE_VERTEXPROCESSING 0x20u
#define D3DCREATE_HARDWARE_VERTEXPROCESSING 0x40u

// The engine's number for this capability bit; the layer both defines and reports it.
#define D3DDEVCAPS_HWTRANSFORMANDLIGHT 0x100000u

#define D3DPRESENT_INTERVAL_ONE 0x1u
#define D3DPRESENT_INTERVAL_TWO 0x2u
#define D3DPRESENT_INTERVAL_THREE 0x4u
#define D3DPRESENT_INTERVAL_FOUR 0x8u
#define D3DPRESENT_INTERVAL_IMMEDIATE 0x80000000u

#define D3DUSAGE_RENDERTARGET 0x1u
#define D3DUSAGE_DEPTHSTENCIL 0x2u
#define D3DUSAGE_WRITEONLY 0x8u

#define D3DFVF_XYZ 0x002u
#define D3DFVF_XYZRHW 0x004u
#define D3DFVF_NORMAL 0x010u
#define D3DFVF_DIFFUSE 0x040u
#define D3DFVF_TEX1 0x100u

// --- Records -------------------------------------------------------------------------------------
struct D3DMATRIX {
    union {
        struct {
            float _11, _12, _13, _14;
            float _21, _22, _23, _24;
            float _31, _32, _33, _34;
            float _41, _42, _43, _44;
        };
        float m[4][4];
    };
};

struct D3DVIEWPORT9 {
    DWORD X, Y, Width, Height;
    float MinZ, MaxZ;
};

struct D3DDISPLAYMODE {
    UINT Width, Height, RefreshRate;
    D3DFORMAT Format;
};

struct D3DADAPTER_IDENTIFIER9 {
    char Driver[512];
    char Description[512];
    char DeviceName[32];
    DWORD VendorId, DeviceId, SubSysId, Revision;
};

struct D3DCAPS9 {
    D3DDEVTYPE DeviceType;
    UINT AdapterOrdinal;
    DWORD DevCaps;
    DWORD PresentationIntervals;
    DWORD MaxTextureWidth, MaxTextureHeight;
};

struct D3DPRESENT_PARAMETERS {
    UINT BackBufferWidth;
    UINT BackBufferHeight;
    D3DFORMAT BackBufferFormat;
    UINT BackBufferCount;
    D3DMULTISAMPLE_TYPE MultiSampleType;
    DWORD MultiSampleQuality;
    D3DSWAPEFFECT SwapEffect;
    HWND hDeviceWindow;
    BOOL Windowed;
    BOOL EnableAutoDepthStencil;
    D3DFORMAT AutoDepthStencilFormat;
    DWORD Flags;
    UINT FullScreen_RefreshRateInHz;
    UINT PresentationInterval;
};

struct D3DLOCKED_RECT {
    INT Pitch;
    void* pBits;
};

struct D3DSURFACE_DESC {
    D3DFORMAT Format;
    D3DRESOURCETYPE Type;
    DWORD Usage;
    D3DPOOL Pool;
    D3DMULTISAMPLE_TYPE MultiSampleType;
    DWORD MultiSampleQuality;
    UINT Width;
    UINT Height;
};

struct D3DVERTEXBUFFER_DESC {
    D3DFORMAT Format;
    D3DRESOURCETYPE Type;
    DWORD Usage;
    D3DPOOL Pool;
    UINT Size;
    DWORD FVF;
};

struct D3DINDEXBUFFER_DESC {
    D3DFORMAT Format;
    D3DRESOURCETYPE Type;
    DWORD Usage;
    D3DPOOL Pool;
    UINT Size;
};

// --- Interfaces ----------------------------------------------------------------------------------
namespace platform {
namespace render {
struct DeviceState;
class Backend;
struct TextureData;
} // namespace render
} // namespace platform


class IDirect3DDevice9;
class IDirect3DTexture9;

class IDirect3DResource9 : public IUnknown {};

class IDirect3DBaseTexture9 : public IDirect3DResource9 {};

class IDirect3DSurface9 : public IDirect3DResource9 {
public:
    HRESULT GetDesc(D3DSURFACE_DESC* desc);

    // Layer side: a level of a texture (kept alive by the surface) or the back buffer.
    IDirect3DSurface9(IDirect3DTexture9* owner, UINT level, const D3DSURFACE_DESC& desc);
    IDirect3DTexture9* OwnerTexture() const { return m_Owner; }
    UINT Level() const { return m_Level; }
    const D3DSURFACE_DESC& Desc() const { return m_Desc; }

protected:
    ~IDirect3DSurface9() override;

private:
    IDirect3DTexture9* m_Owner;
    UINT m_Level;
    D3DSURFACE_DESC m_Desc;
};

class IDirect3DTexture9 : public IDirect3DBaseTexture9 {
public:
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface);
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc);
    DWORD GetLevelCount();
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags);
    HRESULT UnlockRect(UINT level);

    // Layer side.
    explicit IDirect3DTexture9(std::shared_ptr<platform::render::TextureData> data);
    const std::shared_ptr<platform::render::TextureData>& Data() const { return m_Data; }

protected:
    ~IDirect3DTexture9() override;

private:
    std::shared_ptr<platform::render::TextureData> m_Data;
};

class IDirect3DVertexBuffer9 : public IDirect3DResource9 {
public:
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags);
    HRESULT Unlock();
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc);

    // Layer side.
    IDirect3DVertexBuffer9(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);
    const uint8_t* Bytes() const { return m_Bytes.data(); }
    UINT Length() const { return m_Desc.Size; }
    DWORD Fvf() const { return m_Desc.FVF; }

protected:
    ~IDirect3DVertexBuffer9() override;

private:
    std::vector<uint8_t> m_Bytes;
    D3DVERTEXBUFFER_DESC m_Desc;
};

class IDirect3DIndexBuffer9 : public IDirect3DResource9 {
public:
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags);
    HRESULT Unlock();
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc);

    // Layer side.
    IDirect3DIndexBuffer9(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool);
    const uint8_t* Bytes() const { return m_Bytes.data(); }
    UINT Length() const { return m_Desc.Size; }
    UINT IndexSize() const { return m_Desc.Format == D3DFMT_INDEX32 ? 4 : 2; }

protected:
    ~IDirect3DIndexBuffer9() override;

private:
    std::vector<uint8_t> m_Bytes;
    D3DINDEXBUFFER_DESC m_Desc;
};

class IDirect3D9;

class IDirect3DDevice9 : public IUnknown {
public:
    HRESULT TestCooperativeLevel();
    HRESULT Reset(D3DPRESENT_PARAMETERS* params);
    HRESULT BeginScene();
    HRESULT EndScene();
    HRESULT Present(const RECT* src, const RECT* dst, HWND window, const void* dirty);
    HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** surface);
    HRESULT GetBackBuffer(UINT swapChain, UINT index, D3DBACKBUFFER_TYPE type,
                          IDirect3DSurface9** surface);
    HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* surface);

    HRESULT Clear(DWORD count, const void* rects, DWORD flags, D3DCOLOR colour, float z,
                  DWORD stencil);
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX* matrix);
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX* matrix);
    HRESULT SetViewport(const D3DVIEWPORT9* viewport);
    HRESULT GetViewport(D3DVIEWPORT9* viewport);
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value);
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value);
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value);
    HRESULT SetSamplerState(DWORD stage, D3DSAMPLERSTATETYPE type, DWORD value);
    HRESULT GetSamplerState(DWORD stage, D3DSAMPLERSTATETYPE type, DWORD* value);
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture);

    HRESULT SetFVF(DWORD fvf);
    HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride);
    HRESULT SetIndices(IDirect3DIndexBuffer9* buffer);
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primCount);
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertex, UINT minIndex,
                                 UINT numVertices, UINT startIndex, UINT primCount);

    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                               IDirect3DVertexBuffer9** buffer, HANDLE* shared);
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer9** buffer, HANDLE* shared);
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture9** texture, HANDLE* shared);

    // Layer side.
    IDirect3DDevice9(IDirect3D9* parent, std::unique_ptr<platform::render::Backend> backend,
                     const D3DPRESENT_PARAMETERS& params);
    platform::render::DeviceState& State() { return *m_State; }
    platform::render::Backend& BackendImpl() { return *m_Backend; }

protected:
    ~IDirect3DDevice9() override;

private:
    IDirect3D9* m_Parent;
    std::unique_ptr<platform::render::DeviceState> m_State;
    std::unique_ptr<platform::render::Backend> m_Backend;
};

class IDirect3D9 : public IUnknown {
public:
    UINT GetAdapterCount();
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode);
    HRESULT GetAdapterIdentifier(UINT adapter, DWORD flags, D3DADAPTER_IDENTIFIER9* id);
    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps);
    UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format);
    HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* out);
    HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT displayFormat, DWORD usage,
                              D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat);
    HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT displayFormat,
                                   D3DFORMAT renderTargetFormat, D3DFORMAT depthFormat);
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND window, DWORD flags,
                         D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device);

    IDirect3D9();

protected:
    ~IDirect3D9() override;
};

IDirect3D9* Direct3DCreate9(UINT sdkVersion);
