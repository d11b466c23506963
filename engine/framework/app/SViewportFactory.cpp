#include "engine/framework/app/SViewportFactory.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/dx9/SD3D9Viewport.h"

namespace TarnEngine {

static const char* const kTarnSource = "Src\\SViewportFactory";

const char* const kD3D9RenderName = "D3D9Render";

boost::shared_ptr<SCore::SViewport> SViewportFactory::CreateViewport(const std::string& renderName)
{
    TARN_TRY
    if (renderName != kD3D9RenderName) throw SCore::TarnCoreException("unknown Render name: " + renderName);
    return boost::shared_ptr<SCore::SViewport>(new SCore::SD3D9Viewport);
    TARN_CATCH("SViewportFactory::CreateViewport()")
}

} // namespace TarnEngine
