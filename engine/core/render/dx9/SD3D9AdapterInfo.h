#pragma once
// What the Direct3D object tells about each adapter: display mode, identifier, the modes it offers
// in its current format, and its hardware device capabilities.

#include "platform/d3d9.h"

#include <vector>

namespace SCore {

class SD3D9AdapterInfo {
public:
    void FillAdapterInfo(IDirect3D9* d3d);

    std::vector<D3DDISPLAYMODE> m_DisplayModes;
    std::vector<D3DADAPTER_IDENTIFIER9> m_Identifiers;
    std::vector<D3DDISPLAYMODE> m_AvailableModes;
    std::vector<D3DCAPS9> m_Caps;
};

} // namespace SCore
