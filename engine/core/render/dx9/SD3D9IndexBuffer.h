#pragma once
// An index buffer in Direct3D 9's managed pool.

#include "engine/core/render/SIndexBuffer.h"
#include "platform/d3d9.h"

namespace SCore {

class SD3D9IndexBuffer : public SIndexBuffer {
public:
    ~SD3D9IndexBuffer() override;
    void Create(const boost::shared_ptr<SRenderDevice>& device, uint32_t format, uint32_t usage) override;
    void DoLock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override;
    void DoUnlock() override;
    void DoKill() override;
    void* DoGetNativeBuffer() override { return m_Buffer; }
    uint32_t DoGetIndexSize(uint32_t format) override;

private:
    boost::shared_ptr<SRenderDevice> m_Device;
    IDirect3DIndexBuffer9* m_Buffer = nullptr;
};

} // namespace SCore
