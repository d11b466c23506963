#pragma once
// A 4x4 float matrix, row-major: m[row][column] is stored as the attribute f<row+1><column+1>.

namespace SCore {

struct SMatrix {
    float m[4][4] = {};
};

} // namespace SCore
