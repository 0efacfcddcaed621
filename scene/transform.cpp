#include "scene/transform.h"

#include "scene/draw_helper.h"

void TQR_XformInfo::Reset()
{
    m_translation = {0.0f, 0.0f, 0.0f};
    m_scale = {1.0f, 1.0f, 1.0f};
    m_rotation = {0.0f, 0.0f, 0.0f, 1.0f};
}

void TQR_XformInfo::RotateX(float degrees) { RotateAbout({1.0f, 0.0f, 0.0f}, degrees); }

void TQR_XformInfo::RotateY(float degrees) { RotateAbout({0.0f, 1.0f, 0.0f}, degrees); }

void TQR_XformInfo::RotateZ(float degrees) { RotateAbout({0.0f, 0.0f, 1.0f}, degrees); }

void TQR_XformInfo::RotateAbout(const TQR_Vector3& axis, float degrees)
{
    m_rotation = QuaternionMultiply(m_rotation, QuaternionFromAxisAngle(axis, degrees));
}

TQR_Matrix3 TQR_XformInfo::GetRotationMatrix() const
{
    TQR_Matrix3 rotation = QuaternionToMatrix(m_rotation);
    TransposeMatrix3(rotation);
    return rotation;
}

void TQR_XformInfo::SetupModelTransform(TQR_DrawHelper* drawHelper) const
{
    if (drawHelper == nullptr) {
        return;
    }
    const TQR_Matrix3 r = GetRotationMatrix();
    drawHelper->SetTransformation(m_translation.x, m_translation.y, m_translation.z, m_scale.x, m_scale.y, m_scale.z,
                                  r.m[0][0], r.m[0][1], r.m[0][2], r.m[1][0], r.m[1][1], r.m[1][2], r.m[2][0],
                                  r.m[2][1], r.m[2][2], m_pivot.x, m_pivot.y, m_pivot.z);
}

void TQR_XformInfo::DrawPivot(TQR_DrawHelper* drawHelper, float radius) const
{
    if (drawHelper == nullptr) {
        return;
    }
    drawHelper->ResetAttributes();
    drawHelper->SetColor1(TQR_Color(1.0f, 1.0f, 1.0f, 1.0f));
    drawHelper->SetColor2(TQR_Color(0.0f, 0.0f, 1.0f, 1.0f));
    drawHelper->SetFillMode(TQR_FillMode::Solid);
    drawHelper->SetShadeMode(TQR_ShadeMode::Smooth);
    drawHelper->DrawCircle(m_pivot.x, m_pivot.y, m_pivot.z, radius);
}
