// Decoding 1024 x 1024 BMP, TGA (plain and run-length) and PPM files into B, G, R, A texels, as
// the texture loaders do. The pictures are generated here, the same bytes every run.

#include "platform/image/ImageDecoder.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

const uint32_t kSide = 1024;

std::string Le(uint32_t v, int bytes)
{
    std::string s;
    for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 0xFF);
    return s;
}

// The texel at x, y as R, G, B.
void Rgb(uint32_t x, uint32_t y, uint8_t* out)
{
    out[0] = uint8_t(x * 7);
    out[1] = uint8_t(y * 5);
    out[2] = uint8_t((x + y) * 3);
}

std::string Ppm()
{
    std::string s = "P6\n1024 1024\n255\n";
    uint8_t c[3];
    for (uint32_t y = 0; y < kSide; ++y)
        for (uint32_t x = 0; x < kSide; ++x) {
            Rgb(x, y, c);
            s.append(reinterpret_cast<const char*>(c), 3);
        }
    return s;
}

std::string Bmp()
{
    std::string pixels;
    uint8_t c[3];
    for (uint32_t y = kSide; y-- > 0;) // bottom row first
        for (uint32_t x = 0; x < kSide; ++x) {
            Rgb(x, y, c);
            pixels += {char(c[2]), char(c[1]), char(c[0])};
        }
    return "BM" + Le(54 + uint32_t(pixels.size()), 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) + Le(kSide, 4) +
           Le(kSide, 4) + Le(1, 2) + Le(24, 2) + Le(0, 4) + Le(uint32_t(pixels.size()), 4) + Le(2835, 4) +
           Le(2835, 4) + Le(0, 4) + Le(0, 4) + pixels;
}

std::string Tga(bool runLength)
{
    std::string s = std::string("\0\0", 2) + char(runLength ? 10 : 2) + std::string(9, '\0') + Le(kSide, 2) +
                    Le(kSide, 2) + char(24) + char(0x20);
    uint8_t c[3];
    for (uint32_t y = 0; y < kSide; ++y)
        for (uint32_t x = 0; x < kSide; ++x) {
            if (runLength && x % 128 == 0) s += char(0x7F); // a raw packet of 128 texels
            Rgb(x, y, c);
            s += {char(c[2]), char(c[1]), char(c[0])};
        }
    return s;
}

void Decode(benchmark::State& state, const std::string& bytes)
{
    for (auto _ : state) {
        platform::image::DecodedImage image;
        if (platform::image::DecodeImage(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &image) != 0)
            state.SkipWithError("refused");
        benchmark::DoNotOptimize(image.levels[0].bgra.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSide * kSide * 4);
}

void BM_DecodeBmp(benchmark::State& state) { Decode(state, Bmp()); }
void BM_DecodeTga(benchmark::State& state) { Decode(state, Tga(false)); }
void BM_DecodeRunLengthTga(benchmark::State& state) { Decode(state, Tga(true)); }
void BM_DecodePpm(benchmark::State& state) { Decode(state, Ppm()); }

} // namespace

BENCHMARK(BM_DecodeBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeTga)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeRunLengthTga)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePpm)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
