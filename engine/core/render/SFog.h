#pragma once
// The fog a material switches on: linear from start to end, or exponential with a density.

#include <cstdint>

namespace SCore {

struct SFog {
    uint32_t m_Linear = 1;
    float m_Start = 0.0f;
    float m_End = 1000.0f;
    float m_Density = 0.5f;
    uint32_t m_TableFog = 0; // nonzero: per pixel; zero: per vertex
    uint32_t m_RangeFog = 0; // per-vertex fog only
    uint8_t m_Colour[4] = {0xFF, 0xFF, 0xFF, 0xFF}; // alpha, red, green, blue

    uint32_t Colour() const
    {
        return uint32_t(m_Colour[0]) << 24 | uint32_t(m_Colour[1]) << 16 | uint32_t(m_Colour[2]) << 8 | m_Colour[3];
    }
};

} // namespace SCore
