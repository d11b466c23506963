#include "engine/core/dx9/SD3D9VertexBuffer.h"

#include "engine/core/SRenderDevice.h"
#include "engine/core/TarnCoreDX9Exception.h"

static const char* const kTarnSource = "Src\\dx9\\SD3D9VertexBuffer.cpp";

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
    switch (hr) {
    case D3DERR_INVALIDCALL: throw TarnCoreDX9Exception("Can't create D3D9 Vertex Buffer: INVALIDCALL");
    case D3DERR_OUTOFVIDEOMEMORY: throw TarnCoreDX9Exception("Can't create D3D9 Vertex Buffer: OUTOFVIDEOMEMORYL");
    case E_OUTOFMEMORY: throw TarnCoreDX9Exception("Can't create D3D9 Vertex Buffer: OUTOFMEMORY");
    default:
        // Any other failure leaves no buffer to go on with.
        if (FAILED(hr) || !m_Buffer) {
            m_Buffer = nullptr;
            throw TarnCoreDX9Exception("Can't create D3D9 Vertex Buffer: UNKNOWN ERROR");
        }
    }
    TARN_CATCH("SD3D9VertexBuffer::Create()")
}

void SD3D9VertexBuffer::DoLock(uint32_t offset, uint32_t size, void** data, uint32_t flags)
{
    TARN_TRY
    m_Device->DoLockDevice();
    if (!m_Buffer || FAILED(m_Buffer->Lock(offset, size, data, flags))) {
        m_Device->DoUnlockDevice();
        throw TarnCoreDX9Exception("can't Lock vertex buffer");
    }
    TARN_CATCH("SD3D9VertexBuffer::DoLock()")
}

void SD3D9VertexBuffer::DoUnlock()
{
    HRESULT hr = m_Buffer ? m_Buffer->Unlock() : D3DERR_INVALIDCALL;
    m_Device->DoUnlockDevice();
    if (FAILED(hr)) throw TarnCoreDX9Exception("can't unlock vertex buffer");
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
