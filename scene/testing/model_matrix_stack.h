// A 4x4 matrix stack in the 3D device's row-vector convention, for the recording draw helper.
#pragma once

#include <vector>

#include "scene/vector_math.h"

// m[row][column]; a point is a row vector (x, y, z, 1) multiplied by the matrix. A new matrix
// is the identity.
struct TQR_Matrix4 {
    float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    static TQR_Matrix4 Translation(const TQR_Vector3& t);
    static TQR_Matrix4 Scaling(const TQR_Vector3& s);
    static TQR_Matrix4 Rotation(const TQR_Matrix3& r);

    // Row-vector product: (a * b) applies a first, then b.
    TQR_Matrix4 operator*(const TQR_Matrix4& other) const;
    // (point, 1) times the matrix, divided by w.
    TQR_Vector3 TransformCoord(const TQR_Vector3& point) const;

    bool operator==(const TQR_Matrix4&) const = default;
};

// Starts with one identity matrix. "Local" operations multiply on the object side:
// top = step * top.
class TQR_ModelMatrixStack {
public:
    TQR_ModelMatrixStack();

    void LoadIdentity();
    void Push();
    // Refuses to pop the last matrix.
    bool Pop();
    void MultiplyLocal(const TQR_Matrix4& step);
    const TQR_Matrix4& Top() const { return m_matrices.back(); }
    int Depth() const { return static_cast<int>(m_matrices.size()); }

private:
    std::vector<TQR_Matrix4> m_matrices;
};
