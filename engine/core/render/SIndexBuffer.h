#pragma once
// An index buffer of 16- or 32-bit indices.

#include "engine/core/render/SResource.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

class SRenderDevice;

class SIndexBuffer : public SResource {
public:
    SIndexBuffer() : SResource(SRT_INDEXBUFFER, "IndexBuffer") {}
    virtual void Create(const boost::shared_ptr<SRenderDevice>& device, uint32_t format, uint32_t usage) = 0;
    // Holds the device lock until DoUnlock; prefer TResourceLock, which unlocks on every way out.
    virtual void DoLock(uint32_t offset, uint32_t size, void** data, uint32_t flags) = 0;
    virtual void DoUnlock() = 0;
    virtual void DoKill() = 0;
    virtual void* DoGetNativeBuffer() = 0;
    virtual uint32_t DoGetIndexSize(uint32_t format) = 0;

    uint32_t m_Length = 0;
    uint32_t m_IndexCount = 0;
    uint32_t m_IndexSize = 0;
};

} // namespace SCore
