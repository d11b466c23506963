#include "platform/image/ImageDecoder.h"
#include "platform/d3d9.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using platform::image::DecodedImage;
using platform::image::DecodeImage;

namespace {

std::string ReadFixture(const std::string& name)
{
    std::ifstream in(std::string(TARN_SOURCE_DIR) + "/tests/platform/image/data/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The picture make_images.sh wrote: quadrants red, green / blue, yellow, as 0xAARRGGBB.
uint32_t Expected(uint32_t x, uint32_t y)
{
    static const uint32_t colours[2][2] = {{0xFFFF0000, 0xFF00FF00}, {0xFF0000FF, 0xFFFFFF00}};
    return colours[y / 8][x / 8];
}

uint32_t Texel(const DecodedImage& image, uint32_t x, uint32_t y)
{
    const uint8_t* p = &image.levels[0].bgra[(size_t(y) * image.levels[0].width + x) * 4];
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

int ChannelDistance(uint32_t a, uint32_t b)
{
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

DecodedImage Decode(const std::string& bytes)
{
    DecodedImage image;
    EXPECT_EQ(D3D_OK, DecodeImage(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &image));
    return image;
}

} // namespace

TEST(ImageDecodeTest, EveryFormatDecodesToTheSourcePicture)
{
    struct Case {
        const char* file;
        int tolerance;
    } cases[] = {{"source.ppm", 0}, {"plain.ppm", 0}, {"rgb.png", 0}, {"palette.png", 0},
                 {"rgb24.bmp", 0}, {"pal8.bmp", 0}, {"rgb.tga", 0}, {"rle.tga", 0},
                 {"rgb.jpg", 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        DecodedImage image = Decode(ReadFixture(c.file));
        ASSERT_EQ(1u, image.levels.size());
        ASSERT_EQ(16u, image.levels[0].width);
        ASSERT_EQ(16u, image.levels[0].height);
        EXPECT_FALSE(image.hasAlpha);
        for (uint32_t y = 0; y < 16; ++y)
            for (uint32_t x = 0; x < 16; ++x)
                ASSERT_LE(ChannelDistance(Expected(x, y), Texel(image, x, y)), c.tolerance) << x << "," << y;
    }
}

TEST(ImageDecodeTest, GreyAndAlphaPngsKeepTheirChannels)
{
    DecodedImage grey = Decode(ReadFixture("grey.png"));
    // ppmtopgm luminance of pure red: 0.299 * 255.
    uint32_t red = Texel(grey, 0, 0);
    EXPECT_EQ(red & 0xFF, (red >> 8) & 0xFF);
    EXPECT_NEAR(76, int(red & 0xFF), 1);
    EXPECT_EQ(0xFFu, red >> 24);

    DecodedImage alpha = Decode(ReadFixture("rgba.png"));
    EXPECT_TRUE(alpha.hasAlpha);
    EXPECT_EQ(0x00FF0000u, Texel(alpha, 0, 0));
    EXPECT_EQ(0xB000FF00u, Texel(alpha, 11, 0));
    EXPECT_EQ(0xF0FFFF00u, Texel(alpha, 15, 15));
}

namespace {

std::string DdsHeader(uint32_t width, uint32_t height, uint32_t mips, uint32_t pfFlags, const char* fourCC,
                      uint32_t bits, uint32_t r, uint32_t g, uint32_t b, uint32_t a, uint32_t caps2 = 0)
{
    const uint32_t code = fourCC ? uint32_t(fourCC[0]) | uint32_t(fourCC[1]) << 8 | uint32_t(fourCC[2]) << 16 |
                                       uint32_t(fourCC[3]) << 24
                                 : 0;
    // Header size, flags, height, width, pitch, depth, mips, 11 reserved, then the pixel format
    // (size, flags, four-character code, bits, four masks) and the caps.
    const uint32_t fields[] = {124, 0x1007u | (mips > 1 ? 0x20000u : 0u), height, width, 0, 0, mips,
                               0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                               32, pfFlags, code, bits, r, g, b, a, 0x1000, caps2, 0, 0, 0};
    std::string s = "DDS ";
    for (uint32_t v : fields)
        for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
    return s;
}

} // namespace

TEST(ImageDecodeTest, DdsFormatsDecodeTheirTexels)
{
    // 2 x 1, 32-bit with alpha, then a 1 x 1 mip.
    std::string argb = DdsHeader(2, 1, 2, 0x41, nullptr, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    argb += std::string("\x10\x20\x30\x40\x01\x02\x03\x04\xAA\xBB\xCC\xDD", 12);
    DecodedImage a = Decode(argb);
    ASSERT_EQ(2u, a.levels.size());
    EXPECT_TRUE(a.hasAlpha);
    EXPECT_EQ(0x40302010u, Texel(a, 0, 0));
    EXPECT_EQ(0xDDCCBBAAu, uint32_t(a.levels[1].bgra[3]) << 24 | uint32_t(a.levels[1].bgra[2]) << 16 |
                               uint32_t(a.levels[1].bgra[1]) << 8 | a.levels[1].bgra[0]);

    // 1 x 1, 16-bit 565 without alpha: pure green.
    std::string rgb565 = DdsHeader(1, 1, 1, 0x40, nullptr, 16, 0xF800, 0x07E0, 0x001F, 0);
    rgb565 += std::string("\xE0\x07", 2);
    DecodedImage g = Decode(rgb565);
    EXPECT_FALSE(g.hasAlpha);
    EXPECT_EQ(0xFF00FF00u, Texel(g, 0, 0));

    // 4 x 4 DXT1 block: both end points pure blue 565 (0x001F), every index 0.
    std::string dxt1 = DdsHeader(4, 4, 1, 0x4, "DXT1", 0, 0, 0, 0, 0);
    dxt1 += std::string("\x1F\x00\x1F\x00\x00\x00\x00\x00", 8);
    DecodedImage d = Decode(dxt1);
    EXPECT_TRUE(d.hasAlpha);
    EXPECT_EQ(0xFF0000FFu, Texel(d, 3, 3));
}

namespace {

std::string Cut(const std::string& bytes, size_t keep) { return bytes.substr(0, keep); }

std::string Big16(uint32_t v) { return std::string{char(v >> 8), char(v & 0xFF)}; }

std::string TgaHeader(uint8_t type, uint16_t width, uint16_t height)
{
    std::string h(18, '\0');
    h[2] = char(type);
    h[12] = char(width & 0xFF), h[13] = char(width >> 8);
    h[14] = char(height & 0xFF), h[15] = char(height >> 8);
    h[16] = 24;
    h[17] = 0x20; // top row first
    return h;
}

} // namespace

// Damaged and unusual files: each is refused as invalid data before its pixels are allocated, or
// read with exactly the texels it holds (0xAARRGGBB, row by row).
TEST(ImageDecodeTest, DamagedFilesAreRefusedAndOddOnesReadExactly)
{
    const std::string png = ReadFixture("rgb.png"), jpeg = ReadFixture("rgb.jpg");
    const std::string ppm = ReadFixture("source.ppm"), plain = ReadFixture("plain.ppm");
    const std::string tga = ReadFixture("rgb.tga"), rle = ReadFixture("rle.tga");
    const std::string bmp = ReadFixture("rgb24.bmp"), pal8 = ReadFixture("pal8.bmp");
    const std::string white16 = Big16(65535) + Big16(65535) + Big16(65535);
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<uint32_t> texels; // empty: refused
    } cases[] = {
        {"16-bit PPM", "P6\n1 1\n65535\n" + white16, {}},
        {"16-bit PGM", "P5\n2 1\n65535\n" + Big16(65535) + Big16(4096), {}},
        {"large 16-bit PPM", "P6\n512 512\n65535\n" + std::string(512 * 512 * 6, '\x80'), {}},
        {"PPM header only", "P6\n8192 8192\n255\n", {}},
        {"PPM one byte short", Cut(ppm, ppm.size() - 1), {}},
        {"plain PPM cut short", Cut(plain, plain.size() / 2), {}},
        {"PPM width wrapping 32 bits", "P6\n4294967297 1\n255\n" + std::string(30, '\0'), {}},
        {"PPM largest sample 0", std::string("P6\n1 1\n0\n\0\0\0", 12), {}},
        {"PPM without a size", "P6\n", {}},
        {"TGA header only", TgaHeader(2, 4096, 4096), {}},
        {"TGA one byte short", Cut(tga, tga.size() - 1), {}},
        {"run-length TGA one byte short", Cut(rle, rle.size() - 1), {}},
        {"BMP headers only", Cut(bmp, 54), {}},
        {"BMP one byte short", Cut(bmp, bmp.size() - 1), {}},
        {"palette BMP cut in its palette", Cut(pal8, 100), {}},
        {"BMP signature only", std::string("BM\x10\x00", 4), {}},
        {"PNG cut in half", Cut(png, png.size() / 2), {}},
        {"JPEG cut short", Cut(jpeg, 40), {}},
        {"no image at all", "not an image at all", {}},
        {"8-bit PGM", std::string("P5\n2 1\n255\n\x00\xff", 13), {0xFF000000, 0xFFFFFFFF}},
        {"PPM with largest sample 15", std::string("P6 # comment\n1 1 15\n\x0f\x00\x05", 23), {0xFFFF0055}},
        {"run-length TGA of one run", TgaHeader(10, 3, 1) + "\x82\x10\x20\x30", {0xFF302010, 0xFF302010, 0xFF302010}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedImage image;
        const HRESULT hr = DecodeImage(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size(), &image);
        if (c.texels.empty()) {
            EXPECT_EQ(D3DXERR_INVALIDDATA, hr);
            continue;
        }
        ASSERT_EQ(D3D_OK, hr);
        ASSERT_EQ(c.texels.size(), size_t(image.levels[0].width) * image.levels[0].height);
        for (uint32_t x = 0; x < image.levels[0].width; ++x) EXPECT_EQ(c.texels[x], Texel(image, x, 0)) << x;
    }
}

// A comment right after a number: the decoder reads it as the height, 999999999 rows. Decoded in
// a child process, whose peak memory starts from what it shares with this one.
TEST(ImageDecodeTest, AHeaderTheDecoderReadsAsHugeIsRefusedWithoutItsPixels)
{
    const std::string pgm = "P2\n1#999999999\n1\n255\n0\n";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rusage before, after;
        getrusage(RUSAGE_SELF, &before);
        DecodedImage image;
        const HRESULT hr = DecodeImage(reinterpret_cast<const uint8_t*>(pgm.data()), pgm.size(), &image);
        getrusage(RUSAGE_SELF, &after);
        _exit(hr != D3DXERR_INVALIDDATA ? 1 : after.ru_maxrss - before.ru_maxrss >= 64 * 1024 ? 2 : 0);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status)) << "1: decoded, 2: peak memory grew by 64 MB or more";
}
