#include "engine/core/render/SViewport.h"

#include "engine/core/render/SMaterial.h"
#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/STextureManager.h"

namespace SCore {

SViewport::SViewport() : m_TextureManager(new STextureManager) {}

SViewport::~SViewport()
{
    // The device's record of the last material may hold one of its own textures, and a texture
    // holds its device: without this the device would outlive its viewport.
    if (m_RenderDevice) m_RenderDevice->SetCurrentMaterial(SMaterial());
    m_TextureManager.reset();
    m_Input.reset();
    m_RenderDevice.reset();
}

} // namespace SCore
