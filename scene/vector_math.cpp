#include "scene/vector_math.h"

#include <cmath>

namespace {

constexpr float kSinglePrecisionEpsilon = 1.1920929e-7f;
constexpr double kPi = 3.141592653589793;

} // namespace

TQR_Vector3 operator+(const TQR_Vector3& a, const TQR_Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

TQR_Vector3 operator-(const TQR_Vector3& a, const TQR_Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

TQR_Vector3 operator*(const TQR_Vector3& v, float factor) { return {v.x * factor, v.y * factor, v.z * factor}; }

float VectorDot(const TQR_Vector3& a, const TQR_Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

TQR_Vector3 VectorCross(const TQR_Vector3& a, const TQR_Vector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float VectorLength(const TQR_Vector3& v) { return std::sqrt(VectorDot(v, v)); }

TQR_Vector3 VectorNormalize(const TQR_Vector3& v)
{
    const float length = VectorLength(v);
    if (length == 0.0f) {
        return v;
    }
    return {v.x / length, v.y / length, v.z / length};
}

TQR_Vector3 VectorTimesMatrix3(const TQR_Vector3& v, const TQR_Matrix3& m)
{
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0], v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

TQR_Quaternion QuaternionFromAxisAngle(const TQR_Vector3& axis, float degrees)
{
    const TQR_Vector3 unit = VectorNormalize(axis);
    const auto radians = static_cast<float>(degrees * kPi / 180.0);
    const float half = radians * 0.5f;
    const float sine = std::sin(half);
    return {unit.x * sine, unit.y * sine, unit.z * sine, std::cos(half)};
}

TQR_Quaternion QuaternionMultiply(const TQR_Quaternion& a, const TQR_Quaternion& b)
{
    const TQR_Vector3 av{a.x, a.y, a.z};
    const TQR_Vector3 bv{b.x, b.y, b.z};
    const TQR_Vector3 v = bv * a.w + av * b.w + VectorCross(av, bv);
    return {v.x, v.y, v.z, a.w * b.w - VectorDot(av, bv)};
}

TQR_Quaternion QuaternionNormalize(const TQR_Quaternion& q)
{
    const float norm = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    if (norm <= kSinglePrecisionEpsilon) {
        return q;
    }
    return {q.x / norm, q.y / norm, q.z / norm, q.w / norm};
}

TQR_Matrix3 QuaternionToMatrix(const TQR_Quaternion& rotation)
{
    const TQR_Quaternion q = QuaternionNormalize(rotation);
    const float x = q.x;
    const float y = q.y;
    const float z = q.z;
    const float w = q.w;
    TQR_Matrix3 result;
    result.m[0][0] = 1.0f - 2.0f * (y * y + z * z);
    result.m[0][1] = 2.0f * (x * y - z * w);
    result.m[0][2] = 2.0f * (x * z + y * w);
    result.m[1][0] = 2.0f * (x * y + z * w);
    result.m[1][1] = 1.0f - 2.0f * (x * x + z * z);
    result.m[1][2] = 2.0f * (y * z - x * w);
    result.m[2][0] = 2.0f * (x * z - y * w);
    result.m[2][1] = 2.0f * (y * z + x * w);
    result.m[2][2] = 1.0f - 2.0f * (x * x + y * y);
    return result;
}

void TransposeMatrix3(TQR_Matrix3& m)
{
    for (int row = 0; row < 3; ++row) {
        for (int column = row + 1; column < 3; ++column) {
            const float swapped = m.m[row][column];
            m.m[row][column] = m.m[column][row];
            m.m[column][row] = swapped;
        }
    }
}
