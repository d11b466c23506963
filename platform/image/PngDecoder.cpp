// PNG through libpng: grey, grey + alpha, palette (with tRNS), RGB, RGBA; 16-bit reduced to 8.

#include "platform/d3d9.h"
#include "platform/image/ImageDecoder.h"

#include <png.h>

#include <cstring>

namespace platform {
namespace image {
namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t offset;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count)
{
    Reader* r = static_cast<Reader*>(png_get_io_ptr(png));
    if (count > r->size - r->offset) png_error(png, "truncated");
    std::memcpy(out, r->data + r->offset, count);
    r->offset += count;
}

void Warn(png_structp, png_const_charp) {}

void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

} // namespace

HRESULT DecodePng(const uint8_t* data, size_t size, DecodedImage* out)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Warn);
    if (!png) return E_OUTOFMEMORY;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return E_OUTOFMEMORY;
    }
    Reader reader = {data, size, 0};
    // Declared before setjmp so that a longjmp leaves them in a defined state.
    Picture* picture = nullptr;
    std::vector<png_bytep>* rows = new std::vector<png_bytep>;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        delete rows;
        return D3DXERR_INVALIDDATA;
    }
    png_set_read_fn(png, &reader, ReadBytes);
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    int colourType = png_get_color_type(png, info);
    if (!SizeAcceptable(width, height)) png_error(png, "size");
    bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_strip_16(png);
    png_set_packing(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 4) png_error(png, "layout");

    out->levels.assign(1, Picture());
    picture = &out->levels[0];
    picture->width = width;
    picture->height = height;
    picture->bgra.resize(size_t(width) * height * 4);
    rows->resize(height);
    for (png_uint_32 y = 0; y < height; ++y) (*rows)[y] = &picture->bgra[size_t(y) * width * 4];
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    delete rows;
    out->hasAlpha = alpha;
    return D3D_OK;
}

} // namespace image
} // namespace platform
