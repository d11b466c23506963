// BMP, DIB, TGA and PPM through stb_image (the one place its implementation is compiled).

#include "platform/d3d9.h"
#include "platform/image/ImageDecoder.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_PNM
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>

#include <cstring>

namespace platform {
namespace image {

namespace {

// stb_image reads only binary PPM (P6); the plain form (P3) is read here.
HRESULT DecodePlainPpm(const uint8_t* data, size_t size, DecodedImage* out)
{
    size_t at = 2;
    auto number = [&](uint64_t* value) {
        while (at < size) {
            if (data[at] == '#') {
                while (at < size && data[at] != '\n') ++at;
            } else if (data[at] == ' ' || data[at] == '\n' || data[at] == '\r' || data[at] == '\t') {
                ++at;
            } else {
                break;
            }
        }
        if (at >= size || data[at] < '0' || data[at] > '9') return false;
        *value = 0;
        while (at < size && data[at] >= '0' && data[at] <= '9') {
            *value = *value * 10 + (data[at++] - '0');
            if (*value > 0xFFFFFFFFu) return false;
        }
        return true;
    };
    uint64_t width, height, max;
    if (!number(&width) || !number(&height) || !number(&max) || max == 0 || max > 65535 ||
        !SizeAcceptable(width, height))
        return D3DXERR_INVALIDDATA;
    out->levels.assign(1, Picture());
    Picture& p = out->levels[0];
    p.width = uint32_t(width);
    p.height = uint32_t(height);
    p.bgra.resize(size_t(width) * height * 4);
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        for (int c = 2; c >= 0; --c) {
            uint64_t v;
            if (!number(&v) || v > max) return D3DXERR_INVALIDDATA;
            p.bgra[i * 4 + c] = uint8_t((v * 255 + max / 2) / max);
        }
        p.bgra[i * 4 + 3] = 0xFF;
    }
    out->hasAlpha = false;
    return D3D_OK;
}

} // namespace

HRESULT DecodeWithStb(const uint8_t* data, size_t size, DecodedImage* out)
{
    if (size >= 2 && data[0] == 'P' && data[1] == '3') return DecodePlainPpm(data, size, out);
    if (size > size_t(0x7FFFFFFF)) return D3DXERR_INVALIDDATA;
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, int(size), &width, &height, &channels) ||
        !SizeAcceptable(uint64_t(width), uint64_t(height)))
        return D3DXERR_INVALIDDATA;
    stbi_uc* texels = stbi_load_from_memory(data, int(size), &width, &height, &channels, 4);
    if (!texels) return D3DXERR_INVALIDDATA;
    out->levels.assign(1, Picture());
    Picture& p = out->levels[0];
    p.width = uint32_t(width);
    p.height = uint32_t(height);
    p.bgra.assign(texels, texels + size_t(width) * height * 4);
    stbi_image_free(texels);
    SwapRedBlue(p.bgra);
    out->hasAlpha = channels == 2 || channels == 4;
    return D3D_OK;
}

} // namespace image
} // namespace platform
