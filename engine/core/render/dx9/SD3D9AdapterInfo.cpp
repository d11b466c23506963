#include "engine/core/render/dx9/SD3D9AdapterInfo.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreDX9Exception.h"

static const char* const kTarnSource = "Src\\dx9\\SD3D9AdapterInfo";

namespace SCore {

void SD3D9AdapterInfo::FillAdapterInfo(IDirect3D9* d3d)
{
    TARN_TRY
    UINT count = d3d->GetAdapterCount();
    gLoger << "Find " << count << " adapters";
    for (UINT i = 0; i < count; ++i) {
        D3DDISPLAYMODE mode;
        if (FAILED(d3d->GetAdapterDisplayMode(i, &mode)))
            throw TarnCoreDX9Exception("can't get Adapter Display Mode : INVALIDCALL");
        m_DisplayModes.push_back(mode);
        D3DADAPTER_IDENTIFIER9 id;
        if (FAILED(d3d->GetAdapterIdentifier(i, 0, &id)))
            throw TarnCoreDX9Exception("can't get Adapter Identifier : INVALIDCALL");
        m_Identifiers.push_back(id);
        D3DCAPS9 caps;
        HRESULT hr = d3d->GetDeviceCaps(i, D3DDEVTYPE_HAL, &caps);
        switch (hr) {
        case D3D_OK: break;
        case D3DERR_INVALIDCALL: throw TarnCoreDX9Exception("can't get D3D9 Device Capabilitys: INVALIDCALL");
        case D3DERR_INVALIDDEVICE: throw TarnCoreDX9Exception("can't get D3D9 Device Capabilitys: INVALIDDEVICE");
        case D3DERR_OUTOFVIDEOMEMORY:
            throw TarnCoreDX9Exception("can't get D3D9 Device Capabilitys: OUTOFVIDEOMEMORY");
        default:
            if (FAILED(hr)) throw TarnCoreDX9Exception("can't get D3D9 Device Capabilitys: Unknown Error");
        }
        m_Caps.push_back(caps);
        UINT modes = d3d->GetAdapterModeCount(i, mode.Format);
        for (UINT k = 0; k < modes; ++k) {
            D3DDISPLAYMODE offered;
            if (SUCCEEDED(d3d->EnumAdapterModes(i, mode.Format, k, &offered))) m_AvailableModes.push_back(offered);
        }
    }
    TARN_CATCH("SD3D9AdapterInfo::FillAdapterInfo()")
}

} // namespace SCore
