// IDirect3D9: the adapters (platform/d3d9/AdapterMode.h) and device creation on a window.

#include "platform/d3d9.h"
#include "platform/d3d9/AdapterMode.h"
#include "platform/d3d9/Backend.h"
#include "platform/d3d9/Hooks.h"
#include "platform/posix/Hooks.h"
#include "platform/sdl/RenderWindow.h"

#include <cstdio>
#include <cstring>

using platform::hooks::TakeInjected;
using platform::render::AdapterMode;

IDirect3D9* Direct3DCreate9(UINT sdkVersion)
{
    if (FAILED(TakeInjected("Direct3DCreate9")) || sdkVersion != D3D_SDK_VERSION) return nullptr;
    return new IDirect3D9();
}

IDirect3D9::IDirect3D9() { platform::hooks::CountLive("IDirect3D9", 1); }
IDirect3D9::~IDirect3D9() { platform::hooks::CountLive("IDirect3D9", -1); }

namespace {

bool Adapter(UINT index, AdapterMode* out)
{
    std::vector<AdapterMode> adapters = platform::render::SystemAdapters();
    if (index >= adapters.size()) return false;
    *out = adapters[index];
    return true;
}

} // namespace

UINT IDirect3D9::GetAdapterCount() { return UINT(platform::render::SystemAdapters().size()); }

HRESULT IDirect3D9::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode)
{
    HRESULT hr = TakeInjected("IDirect3D9::GetAdapterDisplayMode");
    if (FAILED(hr)) return hr;
    AdapterMode a;
    if (!mode || !Adapter(adapter, &a)) return D3DERR_INVALIDCALL;
    *mode = {a.width, a.height, a.refreshRate, D3DFORMAT(a.format)};
    return D3D_OK;
}

HRESULT IDirect3D9::GetAdapterIdentifier(UINT adapter, DWORD, D3DADAPTER_IDENTIFIER9* id)
{
    HRESULT hr = TakeInjected("IDirect3D9::GetAdapterIdentifier");
    if (FAILED(hr)) return hr;
    AdapterMode a;
    if (!id || !Adapter(adapter, &a)) return D3DERR_INVALIDCALL;
    std::memset(id, 0, sizeof *id);
    std::snprintf(id->Driver, sizeof id->Driver, "%s", "opengl");
    std::snprintf(id->Description, sizeof id->Description, "%s",
                  platform::render::DevicesAreHeadless() ? "headless recorder" : "OpenGL 2.1");
    return D3D_OK;
}

HRESULT IDirect3D9::GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps)
{
    HRESULT hr = TakeInjected("IDirect3D9::GetDeviceCaps");
    if (FAILED(hr)) return hr;
    AdapterMode a;
    if (!caps || type != D3DDEVTYPE_HAL || !Adapter(adapter, &a)) return D3DERR_INVALIDCALL;
    std::memset(caps, 0, sizeof *caps);
    caps->DeviceType = type;
    caps->AdapterOrdinal = adapter;
    caps->DevCaps = a.hardwareTnL ? D3DDEVCAPS_HWTRANSFORMANDLIGHT : 0;
    caps->PresentationIntervals = a.presentationIntervals;
    caps->MaxTextureWidth = caps->MaxTextureHeight = DWORD(platform::sdl::kDeviceMaxSide);
    return D3D_OK;
}

UINT IDirect3D9::GetAdapterModeCount(UINT adapter, D3DFORMAT format)
{
    AdapterMode a;
    return Adapter(adapter, &a) && a.format == format ? 1 : 0;
}

HRESULT IDirect3D9::EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode,
                                     D3DDISPLAYMODE* out)
{
    AdapterMode a;
    if (!out || mode != 0 || !Adapter(adapter, &a) || a.format != format) return D3DERR_INVALIDCALL;
    *out = {a.width, a.height, a.refreshRate, D3DFORMAT(a.format)};
    return D3D_OK;
}

HRESULT IDirect3D9::CheckDeviceFormat(UINT adapter, D3DDEVTYPE, D3DFORMAT, DWORD usage,
                                      D3DRESOURCETYPE, D3DFORMAT checkFormat)
{
    HRESULT hr = TakeInjected("IDirect3D9::CheckDeviceFormat");
    if (FAILED(hr)) return hr;
    if (adapter >= GetAdapterCount()) return D3DERR_INVALIDCALL;
    if ((usage & D3DUSAGE_DEPTHSTENCIL) && !platform::render::SystemAcceptsDepthFormat(checkFormat))
        return D3DERR_NOTAVAILABLE;
    return D3D_OK;
}

HRESULT IDirect3D9::CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE, D3DFORMAT, D3DFORMAT,
                                           D3DFORMAT depthFormat)
{
    HRESULT hr = TakeInjected("IDirect3D9::CheckDepthStencilMatch");
    if (FAILED(hr)) return hr;
    if (adapter >= GetAdapterCount()) return D3DERR_INVALIDCALL;
    return platform::render::SystemAcceptsDepthFormat(depthFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
}

HRESULT IDirect3D9::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND window, DWORD,
                                 D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device)
{
    HRESULT hr = TakeInjected("IDirect3D9::CreateDevice");
    if (FAILED(hr)) return hr;
    if (!params || !device || adapter >= GetAdapterCount() || type != D3DDEVTYPE_HAL)
        return D3DERR_INVALIDCALL;
    if (!params->Windowed && params->BackBufferFormat == D3DFMT_UNKNOWN) return D3DERR_INVALIDCALL;
    if (params->EnableAutoDepthStencil && params->AutoDepthStencilFormat == D3DFMT_UNKNOWN)
        return D3DERR_INVALIDCALL;
    HWND target = params->hDeviceWindow ? params->hDeviceWindow : window;
    D3DPRESENT_PARAMETERS p = *params;
    p.hDeviceWindow = target;
    platform::sdl::RenderWindow w;
    bool known = platform::sdl::LookUpRenderWindow(target, &w);
    if (p.BackBufferWidth == 0 || p.BackBufferHeight == 0) {
        if (!known || w.width <= 0 || w.height <= 0) return D3DERR_INVALIDCALL;
        p.BackBufferWidth = UINT(w.width);
        p.BackBufferHeight = UINT(w.height);
    }
    if (!platform::sdl::FitsSurface(long(p.BackBufferWidth), long(p.BackBufferHeight))) return D3DERR_INVALIDCALL;
    if (p.BackBufferFormat == D3DFMT_UNKNOWN) p.BackBufferFormat = D3DFMT_X8R8G8B8;
    std::unique_ptr<platform::render::Backend> backend = platform::render::MakeBackend(target);
    if (!backend) return D3DERR_NOTAVAILABLE;
    hr = backend->Configure(target, p);
    if (FAILED(hr)) return hr;
    IDirect3DDevice9* d = new IDirect3DDevice9(this, std::move(backend), p);
    D3DSURFACE_DESC desc = {p.BackBufferFormat, D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET,
                            D3DPOOL_DEFAULT, D3DMULTISAMPLE_NONE, 0, p.BackBufferWidth,
                            p.BackBufferHeight};
    d->State().backBuffer = new IDirect3DSurface9(nullptr, 0, desc);
    *device = d;
    return D3D_OK;
}
