#pragma once
// Four floats; stored as an element with attributes X, Y, Z, W.

namespace SCore {

struct SVector4 {
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;
    float W = 0.0f;
};

} // namespace SCore
