#include "engine/core/render/STexture.h"

namespace SCore {

SMatrix IdentityMatrix()
{
    SMatrix m;
    m.m[0][0] = m.m[1][1] = m.m[2][2] = m.m[3][3] = 1.0f;
    return m;
}

} // namespace SCore
