#pragma once
// Position, rotation and scale of a scene node, with the world matrix cached until one of them
// changes. Whoever writes a part sets m_Dirty.

#include "engine/core/serialization/IDeserialize.h"
#include "engine/core/serialization/ISerialize.h"
#include "engine/core/math/SMatrix.h"
#include "engine/core/math/SVector3.h"

#include <cstdint>

namespace TarnEngine {

class STransformation : public SCore::ISerialize, public SCore::IDeserialize {
public:
    STransformation() { SetIdentity(); }

    void SetIdentity();
    // Scale first, then rotation, then translation (row vectors).
    SCore::SMatrix GetWorldMatrix();

    void DoSerialize(SCore::SSerializator& out) override;
    void DoDeserialize(SCore::SDeserializator& in, unsigned int index) override;
    void DoDeserialize(SCore::SDeserializator& in) override;

    SCore::SMatrix m_World;
    SCore::SMatrix m_Rotation;
    SCore::SVector3 m_Position;
    SCore::SVector3 m_Scale;
    uint32_t m_Dirty = 0;

private:
    void ReadParts(SCore::SDeserializator& in);
};

} // namespace TarnEngine
