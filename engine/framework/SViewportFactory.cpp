#include "engine/framework/SViewportFactory.h"

#include "engine/core/TarnCoreException.h"
#include "engine/core/dx9/SD3D9Viewport.h"
#include "engine/core/dx9/SDI9Input.h"

namespace TarnEngine {

static const char* const kTarnSource = "Src\\SViewportFactory";

const char* const kD3D9RenderName = "D3D9Render";

boost::shared_ptr<SCore::SViewport> SViewportFactory::CreateViewport(const std::string& renderName)
{
    TARN_TRY
    if (renderName != kD3D9RenderName) throw SCore::TarnCoreException("unknown Render name: " + renderName);
    boost::shared_ptr<SCore::SViewport> viewport(new SCore::SD3D9Viewport);
    // The Direct3D viewport's input system is the DirectInput one.
    viewport->m_Input.reset(new SCore::SDI9Input);
    return viewport;
    TARN_CATCH("SViewportFactory::CreateViewport()")
}

} // namespace TarnEngine
