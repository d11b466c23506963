#include "engine/core/render/dx9/SD3D9IndexBuffer.h"

#include "engine/core/render/SRenderDevice.h"
#include "engine/core/base/TarnCoreDX9Exception.h"
#include "engine/core/render/dx9/SD3D9NativeBuffer.h"

static const char* const kTarnSource = "Src\\dx9\\SD3D9IndexBuffer";

namespace SCore {

SD3D9IndexBuffer::~SD3D9IndexBuffer() { DoKill(); }

void SD3D9IndexBuffer::Create(const boost::shared_ptr<SRenderDevice>& device, uint32_t format, uint32_t usage)
{
    TARN_TRY
    m_Device = device;
    DoKill();
    HRESULT hr;
    {
        SRenderDeviceLock lock(*m_Device);
        hr = static_cast<IDirect3DDevice9*>(lock.Native())
                 ->CreateIndexBuffer(m_Length, usage, D3DFORMAT(format), D3DPOOL_MANAGED, &m_Buffer, nullptr);
    }
    if (FAILED(hr)) m_Buffer = nullptr;
    if (hr == D3DXERR_INVALIDDATA) throw TarnCoreDX9Exception("Can't create D3D9 Index Buffer: INVALIDDATA");
    SD3D9NativeBuffer::CheckCreated(hr, m_Buffer, "Can't create D3D9 Index Buffer: ");
    TARN_CATCH("SD3D9IndexBuffer::Create()")
}

void SD3D9IndexBuffer::DoLock(uint32_t offset, uint32_t size, void** data, uint32_t flags)
{
    TARN_TRY
    SD3D9NativeBuffer::Lock(*m_Device, m_Buffer, offset, size, data, flags, "can't Lock index buffer");
    TARN_CATCH("SD3D9IndexBuffer::DoLock()")
}

void SD3D9IndexBuffer::DoUnlock()
{
    TARN_TRY
    SD3D9NativeBuffer::Unlock(*m_Device, m_Buffer, "can't unlock index buffer");
    TARN_CATCH("SD3D9IndexBuffer::DoUnlock()")
}

void SD3D9IndexBuffer::DoKill()
{
    if (m_Buffer) m_Buffer->Release();
    m_Buffer = nullptr;
}

uint32_t SD3D9IndexBuffer::DoGetIndexSize(uint32_t format)
{
    TARN_TRY
    if (format == D3DFMT_INDEX16) return 2;
    if (format == D3DFMT_INDEX32) return 4;
    throw TarnCoreDX9Exception("can't get index size: unknown index buffer format");
    TARN_CATCH("SD3D9IndexBuffer::DoGetIndexSize()")
}

} // namespace SCore
