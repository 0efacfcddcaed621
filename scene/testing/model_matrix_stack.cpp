#include "scene/testing/model_matrix_stack.h"

TQR_Matrix4 TQR_Matrix4::Translation(const TQR_Vector3& t)
{
    TQR_Matrix4 result;
    result.m[3][0] = t.x;
    result.m[3][1] = t.y;
    result.m[3][2] = t.z;
    return result;
}

TQR_Matrix4 TQR_Matrix4::Scaling(const TQR_Vector3& s)
{
    TQR_Matrix4 result;
    result.m[0][0] = s.x;
    result.m[1][1] = s.y;
    result.m[2][2] = s.z;
    return result;
}

TQR_Matrix4 TQR_Matrix4::Rotation(const TQR_Matrix3& r)
{
    TQR_Matrix4 result;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            result.m[row][column] = r.m[row][column];
        }
    }
    return result;
}

TQR_Matrix4 TQR_Matrix4::operator*(const TQR_Matrix4& other) const
{
    TQR_Matrix4 result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += m[row][k] * other.m[k][column];
            }
            result.m[row][column] = sum;
        }
    }
    return result;
}

TQR_Vector3 TQR_Matrix4::TransformCoord(const TQR_Vector3& p) const
{
    float out[4];
    for (int column = 0; column < 4; ++column) {
        out[column] = p.x * m[0][column] + p.y * m[1][column] + p.z * m[2][column] + m[3][column];
    }
    if (out[3] == 0.0f) {
        return {out[0], out[1], out[2]};
    }
    return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

TQR_ModelMatrixStack::TQR_ModelMatrixStack() : m_matrices(1) {}

void TQR_ModelMatrixStack::LoadIdentity() { m_matrices.back() = TQR_Matrix4{}; }

void TQR_ModelMatrixStack::Push() { m_matrices.push_back(m_matrices.back()); }

bool TQR_ModelMatrixStack::Pop()
{
    if (m_matrices.size() <= 1) {
        return false;
    }
    m_matrices.pop_back();
    return true;
}

void TQR_ModelMatrixStack::MultiplyLocal(const TQR_Matrix4& step) { m_matrices.back() = step * m_matrices.back(); }
