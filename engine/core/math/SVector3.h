#pragma once
// A point or direction; stored as an element with attributes X, Y, Z.

namespace SCore {

struct SVector3 {
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;
};

} // namespace SCore
