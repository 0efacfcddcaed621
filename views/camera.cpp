#include "views/camera.h"

namespace {

constexpr float kUnitsPerPixel = 0.1f;

} // namespace

void TQR_Camera::SetProjection(float fovDegrees, float nearPlane, float farPlane)
{
    m_fovDegrees = fovDegrees;
    m_near = nearPlane;
    m_far = farPlane;
}

float TQR_Camera::GetFovRadians() const { return m_fovDegrees * kRadiansPerDegree; }

void TQR_Camera::BeginRotate(int x, int y)
{
    m_basePitch = m_pitch;
    m_baseYaw = m_yaw;
    m_lastX = x;
    m_lastY = y;
}

void TQR_Camera::RotateTo(int x, int y)
{
    m_pitch = static_cast<float>(y - m_lastY) + m_basePitch;
    m_yaw = static_cast<float>(x - m_lastX) + m_baseYaw;
}

void TQR_Camera::BeginTrack(int x, int y)
{
    m_lastX = x;
    m_lastY = y;
}

void TQR_Camera::TrackTo(int x, int y)
{
    const TQR_Vector3 direction = m_lookAt - m_position;
    const TQR_Vector3 right = VectorNormalize(VectorCross(m_up, direction));
    const TQR_Vector3 up = VectorNormalize(VectorCross(direction, right));
    const float alongRight = -static_cast<float>(x - m_lastX) * kUnitsPerPixel;
    const float alongUp = static_cast<float>(y - m_lastY) * kUnitsPerPixel;
    const TQR_Vector3 shift = right * alongRight + up * alongUp;
    m_position = m_position - shift;
    m_lookAt = m_lookAt - shift;
    m_lastX = x;
    m_lastY = y;
}

void TQR_Camera::BeginZoom(int x) { m_lastX = x; }

void TQR_Camera::ZoomTo(int x)
{
    const TQR_Vector3 toTarget = m_lookAt - m_position;
    const float distance = VectorLength(toTarget) + static_cast<float>(x - m_lastX) * kUnitsPerPixel;
    m_lastX = x;
    m_position = m_lookAt - VectorNormalize(toTarget) * distance;
}
