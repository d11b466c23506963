#pragma once
// The viewport on Direct3D 9: makes the device, buffers, render passes, fonts and textures.

#include "engine/core/render/SViewport.h"

namespace SCore {

class SD3D9Viewport : public SViewport {
public:
    SD3D9Viewport();
    boost::shared_ptr<SVertexBuffer> DoCreateVertexBuffer(uint32_t count, uint32_t vertexSize, uint32_t fvf,
                                                          uint32_t primitiveType, uint32_t usage) override;
    boost::shared_ptr<SIndexBuffer> DoCreateIndexBuffer(uint32_t count, uint32_t format, uint32_t usage) override;
    boost::shared_ptr<SRenderPass> DoCreateRenderPass() override;
    boost::shared_ptr<SFont> DoCreateFont() override;
    boost::shared_ptr<STexture> DoCreateTexture(const std::string& name) override;
};

} // namespace SCore
