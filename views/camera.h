// The camera of a view: eye, target, up vector, perspective and the state of a mouse drag.
// A plain value; a window handler holds one and the mouse handlers change it in place.
#pragma once

#include "scene/vector_math.h"

class TQR_Camera {
public:
    void SetPosition(float x, float y, float z) { m_position = {x, y, z}; }
    void SetLookAt(float x, float y, float z) { m_lookAt = {x, y, z}; }
    void SetUpVector(float x, float y, float z) { m_up = {x, y, z}; }
    void SetProjection(float fovDegrees, float nearPlane, float farPlane);
    void SetFov(float degrees) { m_fovDegrees = degrees; }
    void SetNear(float distance) { m_near = distance; }
    void SetFar(float distance) { m_far = distance; }

    const TQR_Vector3& GetPosition() const { return m_position; }
    const TQR_Vector3& GetLookAt() const { return m_lookAt; }
    const TQR_Vector3& GetUpVector() const { return m_up; }
    float GetFovDegrees() const { return m_fovDegrees; }
    float GetFovRadians() const;
    float GetNear() const { return m_near; }
    float GetFar() const { return m_far; }
    // Rotation of the scene about the camera's right axis and about the world y axis, degrees.
    float GetPitch() const { return m_pitch; }
    float GetYaw() const { return m_yaw; }

    // Rotation drag: one degree per pixel, measured from the point where the drag began.
    void BeginRotate(int x, int y);
    void RotateTo(int x, int y);
    // Panning drag: eye and target move together, 0.1 units per pixel since the last move,
    // along the camera's right and up axes.
    void BeginTrack(int x, int y);
    void TrackTo(int x, int y);
    // Zoom drag: the eye moves along the line to the target, 0.1 units per pixel since the last
    // move, away from it to the right. The distance is not clamped: it may pass through the
    // target to the far side.
    void BeginZoom(int x);
    void ZoomTo(int x);

private:
    TQR_Vector3 m_position{0.0f, 0.0f, -1.0f};
    TQR_Vector3 m_lookAt{0.0f, 0.0f, 0.0f};
    TQR_Vector3 m_up{0.0f, 1.0f, 0.0f};
    float m_fovDegrees = 45.0f;
    float m_near = 0.1f;
    float m_far = 100.0f;
    float m_basePitch = 0.0f;
    float m_baseYaw = 0.0f;
    float m_pitch = 0.0f;
    float m_yaw = 0.0f;
    int m_lastX = 0;
    int m_lastY = 0;
};
