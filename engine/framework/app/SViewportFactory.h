#pragma once
// Makes the viewport for a render name; "D3D9Render" is the only one.

#include "engine/core/render/SViewport.h"

#include <boost/shared_ptr.hpp>
#include <string>

namespace TarnEngine {

extern const char* const kD3D9RenderName;

class SViewportFactory {
public:
    // Throws "unknown Render name: " and the name for any other name (case-sensitive).
    static boost::shared_ptr<SCore::SViewport> CreateViewport(const std::string& renderName);
};

} // namespace TarnEngine
