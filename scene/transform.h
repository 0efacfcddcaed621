// The transform of one scene node: translation, per-axis scale, a pivot about which scale and
// rotation act, and a rotation quaternion. A plain value type; nodes hand out copies.
#pragma once

#include "scene/vector_math.h"

class TQR_DrawHelper;

class TQR_XformInfo {
public:
    // Translation and scale back to (0, 0, 0) and (1, 1, 1), rotation to the identity; the
    // pivot keeps its value.
    void Reset();

    TQR_Vector3 GetTranslation() const { return m_translation; }
    void SetTranslation(float x, float y, float z) { m_translation = {x, y, z}; }
    TQR_Vector3 GetScale() const { return m_scale; }
    void SetScale(float x, float y, float z) { m_scale = {x, y, z}; }
    TQR_Vector3 GetPivot() const { return m_pivot; }
    void SetPivot(float x, float y, float z) { m_pivot = {x, y, z}; }

    // Stored as given, without normalisation; every use as a matrix normalises a copy.
    TQR_Quaternion GetRotation() const { return m_rotation; }
    void SetRotation(const TQR_Quaternion& rotation) { m_rotation = rotation; }

    // Compose a rotation about the node's own current X, Y or Z axis (the increment is
    // multiplied on the right).
    void RotateX(float degrees);
    void RotateY(float degrees);
    void RotateZ(float degrees);

    // The rotation in row-vector form: a row vector v is rotated as v times the matrix.
    TQR_Matrix3 GetRotationMatrix() const;

    // Composes this transform onto the draw helper's model matrix stack.
    void SetupModelTransform(TQR_DrawHelper* drawHelper) const;
    // A filled disc centred on the pivot in the node's XY plane, blue at the centre fading to
    // white at the rim.
    void DrawPivot(TQR_DrawHelper* drawHelper, float radius) const;

    bool operator==(const TQR_XformInfo&) const = default;

private:
    void RotateAbout(const TQR_Vector3& axis, float degrees);

    TQR_Vector3 m_translation{0.0f, 0.0f, 0.0f};
    TQR_Vector3 m_scale{1.0f, 1.0f, 1.0f};
    TQR_Vector3 m_pivot{0.0f, 0.0f, 0.0f};
    TQR_Quaternion m_rotation{0.0f, 0.0f, 0.0f, 1.0f};
};
