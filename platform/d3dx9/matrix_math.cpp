// Vector and matrix functions in the row-vector convention: a point v maps to v * M, and
// a * b applies a first, then b.
#include "platform/d3dx9/d3dx9.h"

#include <array>
#include <cmath>
#include <utility>

namespace {

D3DXMATRIX Product(const D3DXMATRIX& a, const D3DXMATRIX& b)
{
    D3DXMATRIX result;
    for (UINT row = 0; row < 4; ++row) {
        for (UINT column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (UINT k = 0; k < 4; ++k) {
                sum += a(row, k) * b(k, column);
            }
            result(row, column) = sum;
        }
    }
    return result;
}

using Rows = std::array<std::array<double, 8>, 4>;

// Gauss-Jordan elimination with partial pivoting on [m | I], in double precision. Returns the
// determinant; 0 when the matrix is singular (the right half is then undefined).
double EliminateToIdentity(Rows& rows)
{
    double determinant = 1.0;
    for (int column = 0; column < 4; ++column) {
        int pivot = column;
        for (int row = column + 1; row < 4; ++row) {
            if (std::fabs(rows[row][column]) > std::fabs(rows[pivot][column])) {
                pivot = row;
            }
        }
        if (rows[pivot][column] == 0.0) {
            return 0.0;
        }
        if (pivot != column) {
            std::swap(rows[pivot], rows[column]);
            determinant = -determinant;
        }
        const double diagonal = rows[column][column];
        determinant *= diagonal;
        for (double& value : rows[column]) {
            value /= diagonal;
        }
        for (int row = 0; row < 4; ++row) {
            const double factor = rows[row][column];
            if (row == column || factor == 0.0) {
                continue;
            }
            for (int k = 0; k < 8; ++k) {
                rows[row][k] -= factor * rows[column][k];
            }
        }
    }
    return determinant;
}

} // namespace

D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& other) const { return Product(*this, other); }

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out)
{
    *out = D3DXMATRIX();
    out->_11 = out->_22 = out->_33 = out->_44 = 1.0f;
    return out;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b)
{
    *out = Product(*a, *b);
    return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z)
{
    D3DXMatrixIdentity(out);
    out->_11 = x;
    out->_22 = y;
    out->_33 = z;
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

// Right-handed rotation by angle radians about the axis, in row-vector form (the transpose of
// the column-vector rotation). A zero axis gives cos(angle) on the diagonal and nothing else.
D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* out, const D3DXVECTOR3* axis, float angle)
{
    D3DXVECTOR3 v;
    D3DXVec3Normalize(&v, axis);
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;
    D3DXMatrixIdentity(out);
    out->_11 = t * v.x * v.x + c;
    out->_12 = t * v.x * v.y + s * v.z;
    out->_13 = t * v.x * v.z - s * v.y;
    out->_21 = t * v.x * v.y - s * v.z;
    out->_22 = t * v.y * v.y + c;
    out->_23 = t * v.y * v.z + s * v.x;
    out->_31 = t * v.x * v.z + s * v.y;
    out->_32 = t * v.y * v.z - s * v.x;
    out->_33 = t * v.z * v.z + c;
    return out;
}

// View matrix of a right-handed camera: the camera looks down its -z axis.
D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at, const D3DXVECTOR3* up)
{
    D3DXVECTOR3 zAxis = *eye - *at;
    D3DXVec3Normalize(&zAxis, &zAxis);
    D3DXVECTOR3 xAxis;
    D3DXVec3Cross(&xAxis, up, &zAxis);
    D3DXVec3Normalize(&xAxis, &xAxis);
    D3DXVECTOR3 yAxis;
    D3DXVec3Cross(&yAxis, &zAxis, &xAxis);
    D3DXMatrixIdentity(out);
    const std::array<const D3DXVECTOR3*, 3> axes{&xAxis, &yAxis, &zAxis};
    for (UINT column = 0; column < 3; ++column) {
        (*out)(0, column) = axes[column]->x;
        (*out)(1, column) = axes[column]->y;
        (*out)(2, column) = axes[column]->z;
        (*out)(3, column) = -D3DXVec3Dot(axes[column], eye);
    }
    return out;
}

// Right-handed perspective projection mapping view depth zNear..zFar onto 0..1.
D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovY, float aspect, float zNear, float zFar)
{
    const float yScale = 1.0f / std::tan(fovY * 0.5f);
    *out = D3DXMATRIX();
    out->_11 = yScale / aspect;
    out->_22 = yScale;
    out->_33 = zFar / (zNear - zFar);
    out->_34 = -1.0f;
    out->_43 = zNear * zFar / (zNear - zFar);
    return out;
}

D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m)
{
    Rows rows{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            rows[row][column] = (*m)(row, column);
        }
        rows[row][4 + row] = 1.0;
    }
    const double det = EliminateToIdentity(rows);
    if (determinant != nullptr) {
        *determinant = static_cast<float>(det);
    }
    if (det == 0.0 || !std::isfinite(det)) {
        return nullptr;
    }
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            (*out)(row, column) = static_cast<float>(rows[row][4 + column]);
        }
    }
    return out;
}

// A result with w = 0 (a point on the projection's eye plane) is returned undivided.
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m)
{
    const float x = v->x * m->_11 + v->y * m->_21 + v->z * m->_31 + m->_41;
    const float y = v->x * m->_12 + v->y * m->_22 + v->z * m->_32 + m->_42;
    const float z = v->x * m->_13 + v->y * m->_23 + v->z * m->_33 + m->_43;
    const float w = v->x * m->_14 + v->y * m->_24 + v->z * m->_34 + m->_44;
    const float scale = w == 0.0f ? 1.0f : 1.0f / w;
    *out = D3DXVECTOR3(x * scale, y * scale, z * scale);
    return out;
}

// A zero vector stays zero.
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v)
{
    const float length = D3DXVec3Length(v);
    *out = length == 0.0f ? D3DXVECTOR3(0.0f, 0.0f, 0.0f) : D3DXVECTOR3(v->x / length, v->y / length, v->z / length);
    return out;
}

D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b)
{
    *out = D3DXVECTOR3(a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x);
    return out;
}

float D3DXVec3Dot(const D3DXVECTOR3* a, const D3DXVECTOR3* b) { return a->x * b->x + a->y * b->y + a->z * b->z; }

float D3DXVec3Length(const D3DXVECTOR3* v) { return std::sqrt(D3DXVec3Dot(v, v)); }
