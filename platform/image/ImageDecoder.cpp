// Chooses the decoder by the first bytes of the data.

#include "platform/image/ImageDecoder.h"
#include "platform/d3d9.h"

#include <cstring>
#include <new>

namespace platform {
namespace image {

bool SizeAcceptable(uint64_t width, uint64_t height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxTexels;
}

void SwapRedBlue(std::vector<uint8_t>& texels)
{
    for (size_t i = 0; i + 3 < texels.size(); i += 4) std::swap(texels[i], texels[i + 2]);
}

HRESULT DecodeImage(const uint8_t* data, size_t size, DecodedImage* out)
{
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (!data || size < 4) return D3DXERR_INVALIDDATA;
    try {
        if (size >= 8 && std::memcmp(data, kPng, 8) == 0) return DecodePng(data, size, out);
        if (data[0] == 0xFF && data[1] == 0xD8) return DecodeJpeg(data, size, out);
        if (std::memcmp(data, "DDS ", 4) == 0) return DecodeDds(data, size, out);
        // BMP and DIB start with "BM", PNM with "P1" to "P6"; TGA has no signature.
        return DecodeWithSdlImage(data, size, out);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace image
} // namespace platform
