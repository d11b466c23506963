#pragma once
// The device's CPU shadow of everything Direct3D keeps: render, texture-stage and sampler
// states, transforms, the viewport, bindings. Setters write here from any thread (the engine
// serialises them with its device lock); backends read it when they clear, draw and present.

#include "platform/d3d9.h"
#include "platform/posix/RecursiveLock.h"

#include <atomic>

namespace platform {
namespace render {

const DWORD kStages = 8;

// One state value. Its setter writes it without the shadow's lock, which would be taken some
// twenty times a sprite; the engine serialises device calls, and whoever reads it under the lock
// from another thread still reads a whole value.
class StateWord {
public:
    operator DWORD() const { return m_Value.load(std::memory_order_relaxed); }
    StateWord& operator=(DWORD value)
    {
        m_Value.store(value, std::memory_order_relaxed);
        return *this;
    }

private:
    std::atomic<DWORD> m_Value{0};
};

struct DeviceState {
    StateWord renderStates[D3DRS_MAX_STATE];
    StateWord stageStates[kStages][D3DTSS_MAX_STATE];
    StateWord samplerStates[kStages][D3DSAMP_MAX_STATE];
    D3DMATRIX world, view, projection;
    D3DMATRIX textureTransforms[kStages];
    D3DVIEWPORT9 viewport;
    DWORD fvf = 0;
    IDirect3DVertexBuffer9* stream = nullptr; // AddRef'd
    UINT streamStride = 0;
    IDirect3DIndexBuffer9* indices = nullptr; // AddRef'd
    IDirect3DTexture9* textures[kStages] = {}; // AddRef'd
    IDirect3DSurface9* renderTarget = nullptr; // null: the back buffer
    IDirect3DSurface9* backBuffer = nullptr;   // owned by the device, handed out AddRef'd
    D3DPRESENT_PARAMETERS params{};
    bool inScene = false;
    unsigned frames = 0;
    RecursiveLock lock; // leaf lock of the shadow

    DeviceState() { SetDefaults(); }
    ~DeviceState() { ReleaseBindings(); }
    // The state at CreateDevice and after Reset: defaults, no bindings, the whole back buffer.
    void SetDefaults();
    void ReleaseBindings();
    // Size of the current render target.
    UINT TargetWidth() const;
    UINT TargetHeight() const;
};

D3DMATRIX IdentityMatrix();

// Bytes per vertex of a fixed-function vertex format, or 0 when the layer does not support it.
UINT VertexSize(DWORD fvf);

} // namespace render
} // namespace platform
