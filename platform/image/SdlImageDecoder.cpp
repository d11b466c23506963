// BMP, DIB, TGA and PNM through SDL2_image's readers for those formats alone. Each file is first
// held to what its header promises: a file shorter than its pixels need, or a header whose numbers
// do not fit, is refused before anything is allocated.

#include "platform/d3d9.h"
#include "platform/image/ImageDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <memory>

namespace platform {
namespace image {

namespace {

uint32_t Le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Le32(const uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }

// What a header promises: its picture's size and the smallest file that holds it. The readers
// below return false for a header that is short or whose numbers do not fit.
struct Promise {
    uint64_t bytes = 0;
    uint64_t width = 0, height = 0;
};

// PNM: "P1" to "P6", then width, height and (but for bitmaps) the largest sample, each after
// blanks and comments. Read exactly as SDL2_image reads them: it takes the one character after a
// number's digits whatever that is, so the text of a comment right after a number is read as the
// next number, and the last number's character is the blank before the samples.
bool PnmPromise(const uint8_t* data, size_t size, Promise* out)
{
    const int kind = data[1] - '0';
    if (kind < 1 || kind > 6) return false;
    size_t at = 2;
    auto number = [&](uint64_t limit, uint64_t* value) {
        for (;;) {
            if (at < size && data[at] == '#') {
                while (at < size && data[at] != '\n' && data[at] != '\r') ++at;
            } else if (at < size && (data[at] == ' ' || (data[at] >= '\t' && data[at] <= '\r'))) {
                ++at;
            } else {
                break;
            }
        }
        if (at >= size || data[at] < '0' || data[at] > '9') return false;
        *value = 0;
        while (at < size && data[at] >= '0' && data[at] <= '9') {
            *value = *value * 10 + uint64_t(data[at++] - '0');
            if (*value > limit) return false;
        }
        if (at >= size) return false;
        ++at;
        return true;
    };
    const bool bitmap = kind == 1 || kind == 4;
    uint64_t max = 1;
    // Samples above 255 (16-bit files) are not read: the reader takes 8-bit samples only.
    if (!number(kMaxSide, &out->width) || !number(kMaxSide, &out->height) ||
        (!bitmap && !number(255, &max)) || max == 0)
        return false;
    const uint64_t samples = out->width * out->height * (kind == 3 || kind == 6 ? 3 : 1);
    switch (kind) {
    case 1: out->bytes = at + samples; break;              // digits need no separator
    case 2: case 3: out->bytes = at + (samples ? samples * 2 - 1 : 0); break; // digits and blanks
    case 4: out->bytes = at + (out->width + 7) / 8 * out->height; break;
    default: out->bytes = at + samples; break;
    }
    return true;
}

bool BmpPromise(const uint8_t* data, size_t size, Promise* out)
{
    if (size < 26) return false;
    const uint32_t offset = Le32(data + 10), infoSize = Le32(data + 14);
    uint32_t bits, compression = 0;
    int64_t width, height;
    if (infoSize == 12) { // the old core header: 16-bit sizes
        width = Le16(data + 18);
        height = Le16(data + 20);
        bits = Le16(data + 24);
    } else {
        if (size < 34 || infoSize < 16) return false;
        width = int32_t(Le32(data + 18));
        height = int32_t(Le32(data + 22));
        bits = Le16(data + 28);
        compression = infoSize >= 20 ? Le32(data + 30) : 0;
    }
    if (height < 0) height = -height; // top-down
    if (width <= 0 || width > kMaxSide || height > kMaxSide || bits == 0 || bits > 32) return false;
    out->width = uint64_t(width);
    out->height = uint64_t(height);
    const uint64_t pixels = uint64_t(14) + infoSize > offset ? uint64_t(14) + infoSize : offset;
    // Run-length rows can be short; they need at least their end marker.
    const bool runLength = compression == 1 || compression == 2;
    out->bytes = pixels + (runLength ? 2 : (out->width * bits + 31) / 32 * 4 * out->height);
    return true;
}

bool TgaPromise(const uint8_t* data, size_t size, Promise* out)
{
    if (size < 18) return false;
    const uint32_t idLength = data[0], mapLength = Le16(data + 5), mapBits = data[7];
    const uint32_t type = data[2], bits = data[16];
    out->width = Le16(data + 12);
    out->height = Le16(data + 14);
    if (bits == 0 || bits > 32) return false;
    const uint64_t texelBytes = (bits + 7) / 8;
    const uint64_t head = 18 + idLength + uint64_t(mapLength) * ((mapBits + 7) / 8);
    const uint64_t texels = out->width * out->height;
    if (type < 9) {
        out->bytes = head + texels * texelBytes;
        return true;
    }
    // Run-length packets: a count byte, then one texel repeated or that many texels. The walk
    // stops at the end of the data; the size check then refuses what is missing.
    uint64_t at = head, covered = 0;
    while (covered < texels && at < size) {
        const uint64_t count = (data[at] & 0x7F) + 1;
        at += 1 + (data[at] & 0x80 ? 1 : count) * texelBytes;
        covered += count;
    }
    out->bytes = covered < texels ? size + 1 : at;
    return true;
}

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

} // namespace

HRESULT DecodeWithSdlImage(const uint8_t* data, size_t size, DecodedImage* out)
{
    if (size < 2 || size > size_t(0x7FFFFFFF)) return D3DXERR_INVALIDDATA;
    Promise promise;
    SDL_Surface* (*reader)(SDL_RWops*) = IMG_LoadTGA_RW;
    bool known;
    if (data[0] == 'B' && data[1] == 'M') {
        reader = IMG_LoadBMP_RW;
        known = BmpPromise(data, size, &promise);
    } else if (data[0] == 'P') {
        reader = IMG_LoadPNM_RW;
        known = PnmPromise(data, size, &promise);
    } else {
        known = TgaPromise(data, size, &promise); // no signature
    }
    if (!known || promise.bytes > size || !SizeAcceptable(promise.width, promise.height))
        return D3DXERR_INVALIDDATA;

    SDL_RWops* source = SDL_RWFromConstMem(data, int(size));
    if (!source) return E_OUTOFMEMORY;
    Surface decoded(reader(source));
    SDL_RWclose(source);
    if (!decoded || !SizeAcceptable(uint64_t(decoded->w), uint64_t(decoded->h))) return D3DXERR_INVALIDDATA;
    // B, G, R, A bytes in memory whatever the machine's byte order.
    Surface texels(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_BGRA32, 0));
    if (!texels) return E_OUTOFMEMORY;

    out->levels.assign(1, Picture());
    Picture& p = out->levels[0];
    p.width = uint32_t(texels->w);
    p.height = uint32_t(texels->h);
    p.bgra.resize(size_t(p.width) * p.height * 4);
    const size_t row = size_t(p.width) * 4;
    for (uint32_t y = 0; y < p.height; ++y)
        std::memcpy(&p.bgra[y * row], static_cast<const uint8_t*>(texels->pixels) + size_t(y) * texels->pitch, row);
    out->hasAlpha = decoded->format->Amask != 0;
    if (const SDL_Palette* palette = decoded->format->palette)
        for (int i = 0; i < palette->ncolors; ++i) out->hasAlpha = out->hasAlpha || palette->colors[i].a != 255;
    return D3D_OK;
}

} // namespace image
} // namespace platform
