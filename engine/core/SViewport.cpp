#include "engine/core/SViewport.h"

#include "engine/core/SRenderDevice.h"
#include "engine/core/STextureManager.h"

namespace SCore {

SViewport::SViewport() : m_TextureManager(new STextureManager) {}

SViewport::~SViewport()
{
    m_TextureManager.reset();
    m_Input.reset();
    m_RenderDevice.reset();
}

} // namespace SCore
