#pragma once
// A sphere: centre X, Y, Z and radius R.

namespace SCore {

struct SSphere {
    float X = 0.0f;
    float Y = 0.0f;
    float Z = 0.0f;
    float R = 0.0f;
};

} // namespace SCore
