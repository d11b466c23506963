#pragma once
// The frame-rate meter: a running mean and a block average over a number of frames.

#include <cstdint>

namespace SCore {

class SFPS {
public:
    explicit SFPS(uint32_t block);
    virtual ~SFPS() = default;
    float Update();

    uint32_t m_Last;
    float m_Mean = 0.0f;
    float m_Average = 0.0f;
    uint32_t m_Block;
    float m_Sum = 0.0f;
    uint32_t m_Count = 0;
};

} // namespace SCore
