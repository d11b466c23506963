#pragma once
// What the application holds to reach rendering and input: it owns the render device, the input
// and the texture manager, and creates the graphics resources.

#include <boost/shared_ptr.hpp>
#include <cstdint>
#include <string>

namespace SCore {

class SRenderDevice;
class SInput;
class STextureManager;
class SVertexBuffer;
class SIndexBuffer;
class SRenderPass;
class SFont;
class STexture;

class SViewport {
public:
    SViewport();
    virtual ~SViewport();

    virtual boost::shared_ptr<SVertexBuffer> DoCreateVertexBuffer(uint32_t count, uint32_t vertexSize, uint32_t fvf,
                                                                  uint32_t primitiveType, uint32_t usage) = 0;
    virtual boost::shared_ptr<SIndexBuffer> DoCreateIndexBuffer(uint32_t count, uint32_t format, uint32_t usage) = 0;
    virtual boost::shared_ptr<SRenderPass> DoCreateRenderPass() = 0;
    virtual boost::shared_ptr<SFont> DoCreateFont() = 0;
    virtual boost::shared_ptr<STexture> DoCreateTexture(const std::string& name) = 0;

    boost::shared_ptr<SRenderPass> CreateRenderPass() { return DoCreateRenderPass(); }
    // Write-only buffers; index buffers always hold 16-bit indices.
    boost::shared_ptr<SVertexBuffer> CreateVertexBuffer(uint32_t count, uint32_t vertexSize, uint32_t fvf,
                                                        uint32_t primitiveType)
    {
        return DoCreateVertexBuffer(count, vertexSize, fvf, primitiveType, kWriteOnly);
    }
    boost::shared_ptr<SIndexBuffer> CreateIndexBuffer(uint32_t count)
    {
        return DoCreateIndexBuffer(count, kIndex16, kWriteOnly);
    }
    boost::shared_ptr<STexture> CreateTexture(const std::string& name) { return DoCreateTexture(name); }

    static constexpr uint32_t kWriteOnly = 8; // D3DUSAGE_WRITEONLY
    static const uint32_t kIndex16 = 101; // D3DFMT_INDEX16

    boost::shared_ptr<SRenderDevice> m_RenderDevice;
    boost::shared_ptr<SInput> m_Input;
    boost::shared_ptr<STextureManager> m_TextureManager;
};

} // namespace SCore
