#include "engine/core/render/dx9/SD3D9VertexBuffer.h"

#include "engine/core/render/SRenderDevice.h"
#include "engine/core/base/TarnCoreDX9Exception.h"
#include "engine/core/render/dx9/SD3D9NativeBuffer.h"

static const char* const kTarnSource = "Src\\dx9\\SD3D9VertexBuffer";

namespace SCore {

SD3D9VertexBuffer::~SD3D9VertexBuffer() { DoKill(); }

void SD3D9VertexBuffer::Create(const boost::shared_ptr<SRenderDevice>& device, uint32_t fvf, uint32_t usage)
{
    TARN_TRY
    m_Device = device;
    DoKill();
    HRESULT hr;
    {
        SRenderDeviceLock lock(*m_Device);
        hr = static_cast<IDirect3DDevice9*>(lock.Native())
                 ->CreateVertexBuffer(m_Length, usage, fvf, D3DPOOL_MANAGED, &m_Buffer, nullptr);
    }
    if (FAILED(hr)) m_Buffer = nullptr;
    SD3D9NativeBuffer::CheckCreated(hr, m_Buffer, "Can't create D3D9 Vertex Buffer: ");
    TARN_CATCH("SD3D9VertexBuffer::Create()")
}

void SD3D9VertexBuffer::DoLock(uint32_t offset, uint32_t size, void** data, uint32_t flags)
{
    TARN_TRY
    SD3D9NativeBuffer::Lock(*m_Device, m_Buffer, offset, size, data, flags, "can't Lock vertex buffer");
    TARN_CATCH("SD3D9VertexBuffer::DoLock()")
}

void SD3D9VertexBuffer::DoUnlock()
{
    SD3D9NativeBuffer::Unlock(*m_Device, m_Buffer, "can't unlock vertex buffer");
}

void SD3D9VertexBuffer::DoKill()
{
    if (m_Buffer) m_Buffer->Release();
    m_Buffer = nullptr;
}

uint32_t SD3D9VertexBuffer::DoGetFvf()
{
    TARN_TRY
    D3DVERTEXBUFFER_DESC desc;
    SRenderDeviceLock lock(*m_Device);
    if (!m_Buffer || FAILED(m_Buffer->GetDesc(&desc))) throw TarnCoreDX9Exception("can't get vertex buffer desc");
    return desc.FVF;
    TARN_CATCH("SD3D9VertexBuffer::DoGetFvf()")
}

} // namespace SCore
