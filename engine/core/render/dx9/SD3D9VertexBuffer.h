#pragma once
// A vertex buffer in Direct3D 9's managed pool.

#include "engine/core/render/SVertexBuffer.h"
#include "platform/d3d9.h"

namespace SCore {

class SD3D9VertexBuffer : public SVertexBuffer {
public:
    ~SD3D9VertexBuffer() override;
    void Create(const boost::shared_ptr<SRenderDevice>& device, uint32_t fvf, uint32_t usage) override;
    void DoLock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override;
    void DoUnlock() override;
    void DoKill() override;
    uint32_t DoGetFvf() override;
    void* DoGetNativeBuffer() override { return m_Buffer; }

private:
    boost::shared_ptr<SRenderDevice> m_Device;
    IDirect3DVertexBuffer9* m_Buffer = nullptr;
};

} // namespace SCore
