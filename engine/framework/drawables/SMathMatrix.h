#pragma once
// Row-vector 4x4 matrix helpers: a point is the row (x, y, z, 1) multiplied on the left, so
// translation sits in the last row and in a product the left matrix is applied first.

#include "engine/core/math/SMatrix.h"

namespace TarnEngine {

// The identity, for drawing an object with no extra transform.
const SCore::SMatrix& IdentityMatrix();

// out = a x b; out may be a or b.
void MatrixMultiply(SCore::SMatrix* out, const SCore::SMatrix& a, const SCore::SMatrix& b);
void MatrixTranslation(SCore::SMatrix* pMatrix, float x, float y, float z);
void MatrixScaling(SCore::SMatrix* pMatrix, float x, float y, float z);

} // namespace TarnEngine
