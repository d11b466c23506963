// D3DX matrix and vector helpers: row-major matrices, points as row vectors on the left,
// right-handed look-at and perspective.

#include "platform/d3dx9.h"

#include <cmath>
#include <cstring>

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out)
{
    std::memset(out, 0, sizeof(D3DMATRIX));
    out->_11 = out->_22 = out->_33 = out->_44 = 1.0f;
    return out;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z)
{
    D3DXMatrixIdentity(out);
    out->_41 = x;
    out->_42 = y;
    out->_43 = z;
    return out;
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle)
{
    D3DXMatrixIdentity(out);
    float c = std::cos(angle), s = std::sin(angle);
    out->_11 = c;
    out->_13 = -s;
    out->_31 = s;
    out->_33 = c;
    return out;
}

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v)
{
    float length = std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
    if (length == 0.0f) *out = D3DXVECTOR3(0, 0, 0);
    else *out = D3DXVECTOR3(v->x / length, v->y / length, v->z / length);
    return out;
}

namespace {

D3DXVECTOR3 Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    return D3DXVECTOR3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float Dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

} // namespace

D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up)
{
    D3DXVECTOR3 z(eye->x - at->x, eye->y - at->y, eye->z - at->z), x, y;
    D3DXVec3Normalize(&z, &z);
    D3DXVECTOR3 c = Cross(*up, z);
    D3DXVec3Normalize(&x, &c);
    y = Cross(z, x);
    D3DXMatrixIdentity(out);
    out->_11 = x.x; out->_12 = y.x; out->_13 = z.x;
    out->_21 = x.y; out->_22 = y.y; out->_23 = z.y;
    out->_31 = x.z; out->_32 = y.z; out->_33 = z.z;
    out->_41 = -Dot(x, *eye);
    out->_42 = -Dot(y, *eye);
    out->_43 = -Dot(z, *eye);
    return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovY, float aspect, float zn, float zf)
{
    float yScale = 1.0f / std::tan(fovY / 2), xScale = yScale / aspect;
    std::memset(out, 0, sizeof(D3DMATRIX));
    out->_11 = xScale;
    out->_22 = yScale;
    out->_33 = zf / (zn - zf);
    out->_34 = -1.0f;
    out->_43 = zn * zf / (zn - zf);
    return out;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b)
{
    D3DMATRIX r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = a->m[i][0] * b->m[0][j] + a->m[i][1] * b->m[1][j] + a->m[i][2] * b->m[2][j] +
                        a->m[i][3] * b->m[3][j];
    *static_cast<D3DMATRIX*>(out) = r;
    return out;
}

D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m)
{
    float x = v->x * m->_11 + v->y * m->_21 + v->z * m->_31 + m->_41;
    float y = v->x * m->_12 + v->y * m->_22 + v->z * m->_32 + m->_42;
    float z = v->x * m->_13 + v->y * m->_23 + v->z * m->_33 + m->_43;
    float w = v->x * m->_14 + v->y * m->_24 + v->z * m->_34 + m->_44;
    *out = D3DXVECTOR3(x / w, y / w, z / w);
    return out;
}
