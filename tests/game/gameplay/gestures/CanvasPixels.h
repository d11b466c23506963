#pragma once
// The painted pixels of a 256 x 256 stroke canvas of 4-byte pixels, each of which must be opaque
// white, whether the canvas is a locked texture or plain memory.

#include "platform/wintypes.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

typedef std::set<std::pair<int, int>> Pixels; // (x, y)

inline Pixels PaintedPixels(const BYTE* bits, INT pitch)
{
    Pixels pixels;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const BYTE* p = bits + y * pitch + x * 4;
            if ((p[0] | p[1] | p[2] | p[3]) == 0) continue;
            EXPECT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255 && p[3] == 255) << x << "," << y;
            pixels.insert(std::make_pair(x, y));
        }
    return pixels;
}
