#pragma once
// A collision shape built around a body's position. Only the axis-aligned box (type 0) exists.

#include "engine/core/math/SVector3.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>

namespace Runegarden {

class RGGeometry {
public:
    explicit RGGeometry(uint32_t type) : m_Type(type) {}
    virtual ~RGGeometry() = default;

    virtual void Update(const SCore::SVector3& position, const SCore::SVector3& halfSize) = 0;
    virtual boost::shared_ptr<RGGeometry> Clone() = 0;

    uint32_t GetType() const { return m_Type; }

private:
    uint32_t m_Type;
};

} // namespace Runegarden
