#pragma once
// A rectangle of floats; stored as an element with attributes X, Y, Width, Height.

namespace SCore {

struct SRect {
    float X = 0.0f;
    float Y = 0.0f;
    float Width = 0.0f;
    float Height = 0.0f;
};

} // namespace SCore
