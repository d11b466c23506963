// DDS: our own header reader; DXT1/3/5 blocks decompressed by libsquish, uncompressed RGB
// (16, 24, 32 bits, with or without alpha) through the header's bit masks. Mip levels present in
// the file are kept. Cube and volume maps are refused.

#include "platform/d3d9.h"
#include "platform/image/ImageDecoder.h"

#include <squish.h>

#include <cstring>

namespace platform {
namespace image {
namespace {

const uint32_t kHeaderSize = 124;
const uint32_t kPixelFormatSize = 32;
const uint32_t kMipMapCount = 0x20000;
const uint32_t kAlphaPixels = 0x1, kFourCC = 0x4, kRgb = 0x40;
const uint32_t kCubeMap = 0x200, kVolume = 0x200000;

uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

uint32_t FourCC(const char* s) { return U32(reinterpret_cast<const uint8_t*>(s)); }

// Extracts the masked field of a texel and scales it to 8 bits.
uint8_t Channel(uint32_t texel, uint32_t mask)
{
    if (mask == 0) return 0;
    unsigned shift = 0;
    while (!(mask & (1u << shift))) ++shift;
    uint32_t max = mask >> shift;
    uint32_t value = (texel & mask) >> shift;
    return uint8_t((uint64_t(value) * 255 + max / 2) / max);
}

} // namespace

HRESULT DecodeDds(const uint8_t* data, size_t size, DecodedImage* out)
{
    if (size < 4 + kHeaderSize || U32(data + 4) != kHeaderSize) return D3DXERR_INVALIDDATA;
    const uint8_t* h = data + 4;
    uint32_t flags = U32(h + 4), height = U32(h + 8), width = U32(h + 12);
    uint32_t mipCount = (flags & kMipMapCount) ? U32(h + 24) : 1;
    const uint8_t* pf = h + 72;
    uint32_t pfSize = U32(pf), pfFlags = U32(pf + 4), fourCC = U32(pf + 8), bits = U32(pf + 12);
    uint32_t masks[4] = {U32(pf + 16), U32(pf + 20), U32(pf + 24), U32(pf + 28)};
    uint32_t caps2 = U32(h + 108);
    if (pfSize != kPixelFormatSize || (caps2 & (kCubeMap | kVolume)) || !SizeAcceptable(width, height))
        return D3DXERR_INVALIDDATA;
    if (mipCount == 0) mipCount = 1;
    if (mipCount > 16) return D3DXERR_INVALIDDATA;

    int squishFlags = 0;
    if (pfFlags & kFourCC) {
        if (fourCC == FourCC("DXT1")) squishFlags = squish::kDxt1;
        else if (fourCC == FourCC("DXT3")) squishFlags = squish::kDxt3;
        else if (fourCC == FourCC("DXT5")) squishFlags = squish::kDxt5;
        else return D3DXERR_INVALIDDATA;
    } else if (!(pfFlags & kRgb) || (bits != 16 && bits != 24 && bits != 32)) {
        return D3DXERR_INVALIDDATA;
    }
    bool alpha = squishFlags != 0 || ((pfFlags & kAlphaPixels) && masks[3] != 0);

    size_t offset = 4 + kHeaderSize;
    out->levels.clear();
    uint32_t w = width, hgt = height;
    for (uint32_t level = 0; level < mipCount; ++level) {
        size_t bytes = squishFlags ? size_t(squish::GetStorageRequirements(int(w), int(hgt), squishFlags))
                                   : size_t(w) * hgt * (bits / 8);
        if (bytes > size - offset) {
            if (level == 0) return D3DXERR_INVALIDDATA;
            break; // a truncated mip chain keeps the complete levels
        }
        Picture p;
        p.width = w;
        p.height = hgt;
        p.bgra.resize(size_t(w) * hgt * 4);
        const uint8_t* src = data + offset;
        if (squishFlags) {
            squish::DecompressImage(p.bgra.data(), int(w), int(hgt), src, squishFlags);
            SwapRedBlue(p.bgra);
        } else {
            uint32_t step = bits / 8;
            for (size_t i = 0; i < size_t(w) * hgt; ++i) {
                uint32_t texel = 0;
                for (uint32_t b = 0; b < step; ++b) texel |= uint32_t(src[i * step + b]) << (8 * b);
                p.bgra[i * 4 + 0] = Channel(texel, masks[2]);
                p.bgra[i * 4 + 1] = Channel(texel, masks[1]);
                p.bgra[i * 4 + 2] = Channel(texel, masks[0]);
                p.bgra[i * 4 + 3] = alpha ? Channel(texel, masks[3]) : 0xFF;
            }
        }
        out->levels.push_back(std::move(p));
        offset += bytes;
        if (w == 1 && hgt == 1) break;
        w = w > 1 ? w / 2 : 1;
        hgt = hgt > 1 ? hgt / 2 : 1;
    }
    out->hasAlpha = alpha;
    return D3D_OK;
}

} // namespace image
} // namespace platform
