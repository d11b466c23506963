#pragma once
// A point mass that integrates its own velocity and position. For a game object the position is
// the minimum corner of its box. A mass of 0 or less (or NaN) is immovable.

#include "engine/core/math/SVector3.h"

#include <cstdint>

namespace SCore {
class SDeserializator;
}

namespace Runegarden {

class RGBody {
public:
    RGBody() = default;
    virtual ~RGBody() = default;

    // One symplectic Euler step; the force accumulator is cleared in every case.
    void Update(float dt);
    // The child element "Body": "ID", "Mass", "Position", "Velocity", all required.
    void Deserialize(SCore::SDeserializator& in);

    uint32_t m_ID = 0;
    float m_Mass = 1.0f;
    SCore::SVector3 m_Position;
    SCore::SVector3 m_Velocity;
    SCore::SVector3 m_Force;
};

} // namespace Runegarden
