#pragma once
// Image decoding for the D3DX texture loaders. Every decoder produces 32-bit texels in memory
// order B, G, R, A, top row first; sources without alpha get alpha 255. The format is found from
// the content, never from a file name. Decoders: libpng (PNG), libjpeg (JPEG), SDL2_image (BMP, DIB,
// TGA, PNM with 8-bit samples), and a DDS header reader of our own with libsquish for DXT1/3/5 blocks.
// Not decoded: cube and volume DDS maps, DDS formats other than RGB 16/24/32-bit and DXT1/3/5.

#include "platform/wintypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {
namespace image {

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> bgra;
};

struct DecodedImage {
    bool hasAlpha = false;
    std::vector<Picture> levels; // level 0 first; more than one only for DDS files with mips
};

// Largest side and texel count accepted from a file: anything bigger is refused as invalid data.
const uint32_t kMaxSide = 16384;
const uint64_t kMaxTexels = uint64_t(1) << 26;
bool SizeAcceptable(uint64_t width, uint64_t height);

// D3D_OK, D3DXERR_INVALIDDATA (unknown, truncated or refused image) or E_OUTOFMEMORY.
HRESULT DecodeImage(const uint8_t* data, size_t size, DecodedImage* out);

HRESULT DecodePng(const uint8_t* data, size_t size, DecodedImage* out);
HRESULT DecodeJpeg(const uint8_t* data, size_t size, DecodedImage* out);
HRESULT DecodeWithSdlImage(const uint8_t* data, size_t size, DecodedImage* out); // BMP, TGA, PNM
HRESULT DecodeDds(const uint8_t* data, size_t size, DecodedImage* out);

// Turns R, G, B, A bytes into B, G, R, A in place.
void SwapRedBlue(std::vector<uint8_t>& texels);

} // namespace image
} // namespace platform
