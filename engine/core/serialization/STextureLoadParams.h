#pragma once
// The values a texture is loaded with, as the render device's texture loader takes them.

namespace SCore {

struct STextureLoadParams {
    unsigned int MipLevels = 0;
    unsigned int Usage = 0;
    unsigned int Format = 0;
    unsigned int Pool = 0;
    unsigned int Filter = 0;
    unsigned int MipFilter = 0;
};

} // namespace SCore
