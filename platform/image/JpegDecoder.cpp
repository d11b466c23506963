// JPEG through libjpeg: grey and colour images.

#include "platform/d3d9.h"
#include "platform/image/ImageDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace platform {
namespace image {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
};

void Fail(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void Quiet(j_common_ptr, int) {}

} // namespace

HRESULT DecodeJpeg(const uint8_t* data, size_t size, DecodedImage* out)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = Fail;
    errors.base.emit_message = Quiet;
    std::vector<uint8_t>* row = new std::vector<uint8_t>;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        delete row;
        return D3DXERR_INVALIDDATA;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<unsigned char*>(data), (unsigned long)size);
    jpeg_read_header(&info, TRUE);
    if (!SizeAcceptable(info.image_width, info.image_height)) Fail(reinterpret_cast<j_common_ptr>(&info));
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) Fail(reinterpret_cast<j_common_ptr>(&info));
    out->levels.assign(1, Picture());
    Picture& p = out->levels[0];
    p.width = info.output_width;
    p.height = info.output_height;
    p.bgra.resize(size_t(p.width) * p.height * 4);
    row->resize(size_t(p.width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row->data()};
        size_t y = info.output_scanline;
        jpeg_read_scanlines(&info, rows, 1);
        uint8_t* dst = &p.bgra[y * p.width * 4];
        for (uint32_t x = 0; x < p.width; ++x) {
            dst[x * 4 + 0] = (*row)[x * 3 + 2];
            dst[x * 4 + 1] = (*row)[x * 3 + 1];
            dst[x * 4 + 2] = (*row)[x * 3 + 0];
            dst[x * 4 + 3] = 0xFF;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    delete row;
    out->hasAlpha = false;
    return D3D_OK;
}

} // namespace image
} // namespace platform
