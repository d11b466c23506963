// Feeds arbitrary bytes to one image decoder: it must fail cleanly or give a well-formed picture.
#include "platform/image/ImageDecoder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::image::DecodedImage image;
    if (platform::image::DecodeWithSdlImage(data, size, &image) == 0) {
        if (image.levels.empty()) std::abort();
        for (const platform::image::Picture& p : image.levels)
            if (p.bgra.size() != size_t(p.width) * p.height * 4) std::abort();
    }
    return 0;
}
