// The default state of a new or reset device, and the vertex formats the layer draws.

#include "platform/d3d9/DeviceState.h"

#include <cstring>

namespace platform {
namespace render {

D3DMATRIX IdentityMatrix()
{
    D3DMATRIX m;
    std::memset(&m, 0, sizeof m);
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    return m;
}

UINT VertexSize(DWORD fvf)
{
    DWORD position = fvf & (D3DFVF_XYZ | D3DFVF_XYZRHW);
    if (position != D3DFVF_XYZ && position != D3DFVF_XYZRHW) return 0;
    if (fvf & ~(D3DFVF_XYZ | D3DFVF_XYZRHW | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1)) return 0;
    UINT size = position == D3DFVF_XYZ ? 12 : 16;
    if (fvf & D3DFVF_NORMAL) size += 12;
    if (fvf & D3DFVF_DIFFUSE) size += 4;
    if (fvf & D3DFVF_TEX1) size += 8;
    return size;
}

void DeviceState::ReleaseBindings()
{
    if (stream) stream->Release();
    if (indices) indices->Release();
    if (renderTarget) renderTarget->Release();
    for (IDirect3DTexture9*& t : textures) {
        if (t) t->Release();
        t = nullptr;
    }
    stream = nullptr;
    indices = nullptr;
    renderTarget = nullptr;
    streamStride = 0;
}

void DeviceState::SetDefaults()
{
    ReleaseBindings();
    for (StateWord& word : renderStates) word = 0;
    for (DWORD s = 0; s < kStages; ++s) {
        for (StateWord& word : stageStates[s]) word = 0;
        for (StateWord& word : samplerStates[s]) word = 0;
    }
    renderStates[D3DRS_ZENABLE] = TRUE;
    renderStates[D3DRS_ZWRITEENABLE] = TRUE;
    renderStates[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    renderStates[D3DRS_CULLMODE] = D3DCULL_CCW;
    renderStates[D3DRS_FILLMODE] = D3DFILL_SOLID;
    renderStates[D3DRS_ALPHABLENDENABLE] = FALSE;
    renderStates[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    renderStates[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    renderStates[D3DRS_LIGHTING] = TRUE;
    renderStates[D3DRS_FOGENABLE] = FALSE;
    renderStates[D3DRS_FOGEND] = 0x3F800000; // 1.0f
    renderStates[D3DRS_FOGDENSITY] = 0x3F800000;
    for (DWORD s = 0; s < kStages; ++s) {
        stageStates[s][D3DTSS_COLOROP] = s == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        stageStates[s][D3DTSS_ALPHAOP] = s == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        stageStates[s][D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        stageStates[s][D3DTSS_COLORARG2] = D3DTA_CURRENT;
        stageStates[s][D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        stageStates[s][D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        stageStates[s][D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
        samplerStates[s][D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
        samplerStates[s][D3DSAMP_MINFILTER] = D3DTEXF_POINT;
        samplerStates[s][D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
        samplerStates[s][D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
        samplerStates[s][D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
        textureTransforms[s] = IdentityMatrix();
    }
    world = view = projection = IdentityMatrix();
    fvf = 0;
    viewport = {0, 0, params.BackBufferWidth, params.BackBufferHeight, 0.0f, 1.0f};
}

UINT DeviceState::TargetWidth() const
{
    if (renderTarget) return renderTarget->Desc().Width;
    return params.BackBufferWidth;
}

UINT DeviceState::TargetHeight() const
{
    if (renderTarget) return renderTarget->Desc().Height;
    return params.BackBufferHeight;
}

} // namespace render
} // namespace platform
