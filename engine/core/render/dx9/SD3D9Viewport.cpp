#include "engine/core/render/dx9/SD3D9Viewport.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/dx9/SD3D9Font.h"
#include "engine/core/render/dx9/SD3D9IndexBuffer.h"
#include "engine/core/render/dx9/SD3D9RenderDevice.h"
#include "engine/core/render/dx9/SD3D9RenderPass.h"
#include "engine/core/render/dx9/SD3D9Texture.h"
#include "engine/core/render/dx9/SD3D9VertexBuffer.h"
#include "engine/core/input/dx9/SDI9Input.h"

static const char* const kTarnSource = "Src\\dx9\\SD3D9Viewport";

namespace SCore {

SD3D9Viewport::SD3D9Viewport()
{
    m_RenderDevice.reset(new SD3D9RenderDevice);
    m_Input.reset(new SDI9Input);
}

boost::shared_ptr<SVertexBuffer> SD3D9Viewport::DoCreateVertexBuffer(uint32_t count, uint32_t vertexSize, uint32_t fvf,
                                                                     uint32_t primitiveType, uint32_t usage)
{
    TARN_TRY
    boost::shared_ptr<SD3D9VertexBuffer> buffer(new SD3D9VertexBuffer);
    buffer->m_PrimitiveType = primitiveType;
    buffer->m_VertexSize = vertexSize;
    buffer->m_Length = count * vertexSize;
    buffer->Create(m_RenderDevice, fvf, usage);
    buffer->m_VertexCount = count;
    return buffer;
    TARN_CATCH("SD3D9Viewport::DoCreateVertexBuffer()")
}

boost::shared_ptr<SIndexBuffer> SD3D9Viewport::DoCreateIndexBuffer(uint32_t count, uint32_t format, uint32_t usage)
{
    TARN_TRY
    boost::shared_ptr<SD3D9IndexBuffer> buffer(new SD3D9IndexBuffer);
    buffer->m_IndexCount = count;
    uint32_t size = buffer->DoGetIndexSize(format);
    buffer->m_Length = size * count;
    buffer->Create(m_RenderDevice, format, usage);
    buffer->m_IndexSize = size;
    return buffer;
    TARN_CATCH("SD3D9Viewport::DoCreateIndexBuffer()")
}

boost::shared_ptr<SRenderPass> SD3D9Viewport::DoCreateRenderPass()
{
    TARN_TRY
    return boost::shared_ptr<SRenderPass>(new SD3D9RenderPass(m_RenderDevice));
    TARN_CATCH("SD3D9Viewport::DoCreateRenderPass()")
}

boost::shared_ptr<SFont> SD3D9Viewport::DoCreateFont()
{
    TARN_TRY
    return boost::shared_ptr<SFont>(new SD3D9Font);
    TARN_CATCH("SD3D9Viewport::DoCreateFont()")
}

boost::shared_ptr<STexture> SD3D9Viewport::DoCreateTexture(const std::string& name)
{
    TARN_TRY
    boost::shared_ptr<STexture> texture(new SD3D9Texture(name));
    texture->SetRenderDevice(m_RenderDevice); // usable at once
    return texture;
    TARN_CATCH("SD3D9Viewport::DoCreateTexture()")
}

} // namespace SCore
