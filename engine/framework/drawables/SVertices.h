#pragma once
// The three vertex formats the framework draws with, laid out as the device reads them.

#include "platform/d3d9.h"

#include <cstdint>

namespace TarnEngine {

// Position, normal, one texture pair: triangle meshes.
struct SMeshVertex {
    float X, Y, Z;
    float NX, NY, NZ;
    float U, V;
    static constexpr uint32_t kFVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
};

// Pre-transformed position in pixels with rhw, diffuse colour, one texture pair: screen sprites
// and texture fonts.
struct SScreenVertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
    static constexpr uint32_t kFVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
};

// Untransformed position, diffuse colour, one texture pair: sprites drawn with a transform.
struct SColorVertex {
    float x, y, z;
    uint32_t colour;
    float u, v;
    static constexpr uint32_t kFVF = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
};

static_assert(sizeof(SMeshVertex) == 32, "mesh vertex layout");
static_assert(sizeof(SScreenVertex) == 28, "screen vertex layout");
static_assert(sizeof(SColorVertex) == 24, "colour vertex layout");

} // namespace TarnEngine
