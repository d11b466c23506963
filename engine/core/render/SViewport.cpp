#include "engine/core/render/SViewport.h"

#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/STextureManager.h"

namespace SCore {

SViewport::SViewport() : m_TextureManager(new STextureManager) {}

SViewport::~SViewport()
{
    m_TextureManager.reset();
    m_Input.reset();
    m_RenderDevice.reset();
}

} // namespace SCore
