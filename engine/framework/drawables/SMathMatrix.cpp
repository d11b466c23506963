#include "engine/framework/drawables/SMathMatrix.h"

#include "engine/core/base/TarnCoreException.h"

static const char* const kTarnSource = "..\\Src\\smath_matrix";

namespace TarnEngine {

const SCore::SMatrix& IdentityMatrix()
{
    static const SCore::SMatrix identity = [] {
        SCore::SMatrix m;
        for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
        return m;
    }();
    return identity;
}

void MatrixMultiply(SCore::SMatrix* out, const SCore::SMatrix& a, const SCore::SMatrix& b)
{
    TARN_ASSERT(out != 0);
    SCore::SMatrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    *out = r;
}

void MatrixTranslation(SCore::SMatrix* pMatrix, float x, float y, float z)
{
    TARN_ASSERT(pMatrix != 0);
    *pMatrix = IdentityMatrix();
    pMatrix->m[3][0] = x;
    pMatrix->m[3][1] = y;
    pMatrix->m[3][2] = z;
}

void MatrixScaling(SCore::SMatrix* pMatrix, float x, float y, float z)
{
    TARN_ASSERT(pMatrix != 0);
    *pMatrix = IdentityMatrix();
    pMatrix->m[0][0] = x;
    pMatrix->m[1][1] = y;
    pMatrix->m[2][2] = z;
}

} // namespace TarnEngine
