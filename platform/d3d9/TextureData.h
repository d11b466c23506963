#pragma once
// The CPU copy of a texture: its levels as texels in memory order (B, G, R, A for the 32-bit
// formats), top row first. A backend that uploads it keeps its own handle here and uploads
// the levels marked dirty when the texture is next drawn.

#include "platform/d3d9.h"

#include <memory>
#include <mutex>
#include <vector>

namespace platform {
namespace render {

struct TextureLevel {
    UINT width = 0;
    UINT height = 0;
    std::vector<uint8_t> bytes;
    bool dirty = true;
    bool locked = false;
};

struct TextureData {
    D3DFORMAT format = D3DFMT_A8R8G8B8;
    DWORD usage = 0;
    D3DPOOL pool = D3DPOOL_MANAGED;
    std::vector<TextureLevel> levels;
    std::mutex lock; // leaf lock: guards levels against the uploading main thread
    std::shared_ptr<void> backendHandle; // released with the data; the GL name is deleted later

    static UINT BytesPerTexel(D3DFORMAT format) { return format == D3DFMT_R5G6B5 || format == D3DFMT_A1R5G5B5 ? 2 : 4; }
    static bool IsTextureFormat(D3DFORMAT format)
    {
        return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8 || format == D3DFMT_R5G6B5 ||
               format == D3DFMT_A1R5G5B5;
    }
    // Number of levels of a full chain down to 1 x 1.
    static UINT FullChain(UINT width, UINT height)
    {
        UINT n = 1;
        while (width > 1 || height > 1) {
            width = width > 1 ? width / 2 : 1;
            height = height > 1 ? height / 2 : 1;
            ++n;
        }
        return n;
    }
    // Allocates levels (0 = full chain) of zeroed texels.
    void Allocate(UINT width, UINT height, UINT levelCount, D3DFORMAT fmt);
};

// Render-target textures alive now: a device cannot be reset while any is.
int LiveRenderTargets();

} // namespace render
} // namespace platform
