// Vectors, quaternions and 3x3 rotation matrices of the scene graph, with the helpers the
// transform, the lights, the airplane and the simple primitives share. Angles are in degrees.
#pragma once

inline constexpr float kRadiansPerDegree = 0.017453292f;

struct TQR_Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    bool operator==(const TQR_Vector3&) const = default;
};

// Vector part (x, y, z) and scalar part w. A new quaternion is the identity rotation.
struct TQR_Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    bool operator==(const TQR_Quaternion&) const = default;
};

// Nine floats in row order: m[row][column]. A new matrix is the identity.
struct TQR_Matrix3 {
    float m[3][3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};

    bool operator==(const TQR_Matrix3&) const = default;
};

TQR_Vector3 operator+(const TQR_Vector3& a, const TQR_Vector3& b);
TQR_Vector3 operator-(const TQR_Vector3& a, const TQR_Vector3& b);
TQR_Vector3 operator*(const TQR_Vector3& v, float factor);

float VectorDot(const TQR_Vector3& a, const TQR_Vector3& b);
TQR_Vector3 VectorCross(const TQR_Vector3& a, const TQR_Vector3& b);
float VectorLength(const TQR_Vector3& v);
// v divided by its length; a zero-length vector is returned unchanged.
TQR_Vector3 VectorNormalize(const TQR_Vector3& v);
// The row vector v times m (component k = sum over j of v_j * m[j][k]), as the 3D device
// transforms points.
TQR_Vector3 VectorTimesMatrix3(const TQR_Vector3& v, const TQR_Matrix3& m);

// Rotation by degrees about axis; the axis is normalised first, and a zero axis gives the
// vector part (0, 0, 0).
TQR_Quaternion QuaternionFromAxisAngle(const TQR_Vector3& axis, float degrees);
// Hamilton product a * b.
TQR_Quaternion QuaternionMultiply(const TQR_Quaternion& a, const TQR_Quaternion& b);
// q divided by its norm; a norm at or below the single-precision epsilon returns q unchanged.
TQR_Quaternion QuaternionNormalize(const TQR_Quaternion& q);
// The column-vector rotation matrix of a normalised copy of q.
TQR_Matrix3 QuaternionToMatrix(const TQR_Quaternion& q);
void TransposeMatrix3(TQR_Matrix3& m);
