#pragma once
// A vertex buffer: vertices of one format drawn as one primitive type.

#include "engine/core/render/SResource.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

class SRenderDevice;

class SVertexBuffer : public SResource {
public:
    SVertexBuffer() : SResource(SRT_VERTEXBUFFER, "VertexBuffer") {}
    virtual void Create(const boost::shared_ptr<SRenderDevice>& device, uint32_t fvf, uint32_t usage) = 0;
    // Holds the device lock until DoUnlock; prefer TResourceLock, which unlocks on every way out.
    virtual void DoLock(uint32_t offset, uint32_t size, void** data, uint32_t flags) = 0;
    virtual void DoUnlock() = 0;
    virtual void DoKill() = 0;
    virtual uint32_t DoGetFvf() = 0;
    virtual void* DoGetNativeBuffer() = 0;

    uint32_t m_PrimitiveType = 0;
    uint32_t m_Length = 0;
    uint32_t m_VertexSize = 0;
    uint32_t m_VertexCount = 0;
};

} // namespace SCore
