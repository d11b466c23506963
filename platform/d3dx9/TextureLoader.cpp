// D3DX texture creation from image files and memory: decode, round the size up to powers of two
// (resampling bilinearly so that coordinates 0..1 still cover the image), build the mip chain by
// box filtering (keeping the levels a DDS file brings), and store the texels in the asked format.

#include "platform/d3d9/TextureData.h"
#include "platform/d3dx9.h"
#include "platform/files.h"
#include "platform/image/ImageDecoder.h"
#include "platform/posix/Hooks.h"

#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <new>

using platform::image::DecodedImage;
using platform::image::Picture;
using platform::render::TextureData;
using platform::render::TextureLevel;

namespace {

UINT PowerOfTwo(UINT v)
{
    UINT p = 1;
    while (p < v) p <<= 1;
    return p;
}

Picture Resample(const Picture& src, UINT width, UINT height)
{
    if (src.width == width && src.height == height) return src;
    Picture dst;
    dst.width = width;
    dst.height = height;
    dst.bgra.resize(size_t(width) * height * 4);
    for (UINT y = 0; y < height; ++y) {
        float sy = (y + 0.5f) * src.height / height - 0.5f;
        if (sy < 0) sy = 0;
        UINT y0 = UINT(sy), y1 = y0 + 1 < src.height ? y0 + 1 : y0;
        float fy = sy - y0;
        for (UINT x = 0; x < width; ++x) {
            float sx = (x + 0.5f) * src.width / width - 0.5f;
            if (sx < 0) sx = 0;
            UINT x0 = UINT(sx), x1 = x0 + 1 < src.width ? x0 + 1 : x0;
            float fx = sx - x0;
            for (int c = 0; c < 4; ++c) {
                auto at = [&](UINT px, UINT py) { return float(src.bgra[(size_t(py) * src.width + px) * 4 + c]); };
                float top = at(x0, y0) * (1 - fx) + at(x1, y0) * fx;
                float bottom = at(x0, y1) * (1 - fx) + at(x1, y1) * fx;
                dst.bgra[(size_t(y) * width + x) * 4 + c] = uint8_t(top * (1 - fy) + bottom * fy + 0.5f);
            }
        }
    }
    return dst;
}

Picture HalfSize(const Picture& src)
{
    Picture dst;
    dst.width = src.width > 1 ? src.width / 2 : 1;
    dst.height = src.height > 1 ? src.height / 2 : 1;
    dst.bgra.resize(size_t(dst.width) * dst.height * 4);
    for (UINT y = 0; y < dst.height; ++y)
        for (UINT x = 0; x < dst.width; ++x)
            for (int c = 0; c < 4; ++c) {
                UINT sum = 0;
                for (UINT dy = 0; dy < 2; ++dy)
                    for (UINT dx = 0; dx < 2; ++dx) {
                        UINT sx = std::min(x * 2 + dx, src.width - 1), sy = std::min(y * 2 + dy, src.height - 1);
                        sum += src.bgra[(size_t(sy) * src.width + sx) * 4 + c];
                    }
                dst.bgra[(size_t(y) * dst.width + x) * 4 + c] = uint8_t((sum + 2) / 4);
            }
    return dst;
}

void Store(const Picture& p, D3DFORMAT format, TextureLevel& level)
{
    size_t n = size_t(p.width) * p.height;
    if (format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8) {
        level.bytes = p.bgra;
        if (format == D3DFMT_X8R8G8B8)
            for (size_t i = 0; i < n; ++i) level.bytes[i * 4 + 3] = 0xFF;
        return;
    }
    level.bytes.resize(n * 2);
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* t = &p.bgra[i * 4];
        uint16_t v = format == D3DFMT_R5G6B5
                         ? uint16_t((t[2] >> 3) << 11 | (t[1] >> 2) << 5 | (t[0] >> 3))
                         : uint16_t((t[3] >= 128 ? 0x8000 : 0) | (t[2] >> 3) << 10 | (t[1] >> 3) << 5 | (t[0] >> 3));
        level.bytes[i * 2] = uint8_t(v & 0xFF);
        level.bytes[i * 2 + 1] = uint8_t(v >> 8);
    }
}

HRESULT CreateFromBytes(IDirect3DDevice9* device, const uint8_t* data, size_t size, UINT width,
                        UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                        IDirect3DTexture9** texture)
{
    if (!device || !texture || !data) return D3DERR_INVALIDCALL;
    try {
        DecodedImage image;
        HRESULT hr = platform::image::DecodeImage(data, size, &image);
        if (FAILED(hr)) return hr;
        const Picture& source = image.levels[0];
        UINT w = width == 0 || width == D3DX_DEFAULT ? PowerOfTwo(source.width) : width;
        UINT h = height == 0 || height == D3DX_DEFAULT ? PowerOfTwo(source.height) : height;
        if (!platform::image::SizeAcceptable(w, h)) return D3DERR_INVALIDCALL;
        D3DFORMAT f = format == D3DFMT_UNKNOWN || UINT(format) == D3DX_DEFAULT
                          ? (image.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8)
                          : format;
        if (!TextureData::IsTextureFormat(f) || (usage & D3DUSAGE_RENDERTARGET)) return D3DERR_INVALIDCALL;
        UINT full = TextureData::FullChain(w, h);
        UINT levels = mipLevels == 0 || mipLevels == D3DX_DEFAULT ? full : std::min(mipLevels, full);

        auto tex = std::make_shared<TextureData>();
        tex->Allocate(w, h, levels, f);
        tex->usage = usage;
        tex->pool = pool;
        Picture current = Resample(source, w, h);
        for (UINT i = 0; i < levels; ++i) {
            if (i > 0) {
                bool fromFile = i < image.levels.size() && image.levels[i].width == tex->levels[i].width &&
                                image.levels[i].height == tex->levels[i].height && image.levels[0].width == w &&
                                image.levels[0].height == h;
                current = fromFile ? image.levels[i] : HalfSize(current);
            }
            Store(current, f, tex->levels[i]);
        }
        *texture = new IDirect3DTexture9(tex);
        return D3D_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ReadImageFile(const char* file, std::string* bytes)
{
    if (!file) return D3DERR_INVALIDCALL;
    std::string path = NativePath(std::string(file));
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::string::size_type slash = path.rfind('/');
        std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
        return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? E_FILE_NOT_FOUND : E_PATH_NOT_FOUND;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return E_FILE_NOT_FOUND;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return D3D_OK;
}

HRESULT LoadFile(IDirect3DDevice9* device, const char* file, UINT width, UINT height, UINT mipLevels,
                 DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture)
{
    std::string bytes;
    HRESULT hr = ReadImageFile(file, &bytes);
    if (FAILED(hr)) return hr;
    return CreateFromBytes(device, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), width,
                           height, mipLevels, usage, format, pool, texture);
}

} // namespace

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* device, const char* file, IDirect3DTexture9** texture)
{
    HRESULT hr = platform::hooks::TakeInjected("D3DXCreateTextureFromFileA");
    if (FAILED(hr)) return hr;
    return LoadFile(device, file, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                    D3DPOOL_MANAGED, texture);
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, const char* file, UINT width, UINT height,
                                     UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD,
                                     DWORD, D3DCOLOR, void*, void*, IDirect3DTexture9** texture)
{
    HRESULT hr = platform::hooks::TakeInjected("D3DXCreateTextureFromFileExA");
    if (FAILED(hr)) return hr;
    return LoadFile(device, file, width, height, mipLevels, usage, format, pool, texture);
}

HRESULT D3DXCreateTextureFromFileInMemory(IDirect3DDevice9* device, const void* data, UINT size,
                                          IDirect3DTexture9** texture)
{
    HRESULT hr = platform::hooks::TakeInjected("D3DXCreateTextureFromFileInMemory");
    if (FAILED(hr)) return hr;
    return CreateFromBytes(device, static_cast<const uint8_t*>(data), size, D3DX_DEFAULT, D3DX_DEFAULT,
                           D3DX_DEFAULT, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, texture);
}

HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data, UINT size,
                                            UINT width, UINT height, UINT mipLevels, DWORD usage,
                                            D3DFORMAT format, D3DPOOL pool, DWORD, DWORD, D3DCOLOR,
                                            void*, void*, IDirect3DTexture9** texture)
{
    HRESULT hr = platform::hooks::TakeInjected("D3DXCreateTextureFromFileInMemoryEx");
    if (FAILED(hr)) return hr;
    return CreateFromBytes(device, static_cast<const uint8_t*>(data), size, width, height, mipLevels,
                           usage, format, pool, texture);
}
