#include "scene/primitive_point.h"

#include "scene/draw_helper.h"

void TQR_PrimitivePoint::SetLocation(float x, float y, float z)
{
    const TQR_Vector3 location{x, y, z};
    if (!(location == m_location)) {
        MarkChanged();
    }
    m_location = location;
    m_box.SetCorners(x, y, z, x, y, z);
}

void TQR_PrimitivePoint::Update(float seconds)
{
    const TQR_Vector3 moved = m_location + GetPrimVelocity() * seconds;
    SetLocation(moved.x, moved.y, moved.z);
}

void TQR_PrimitivePoint::PlaceVertex(int, float x, float y) { SetLocation(x, y, 0.0f); }

void TQR_PrimitivePoint::DragVertex(float x, float y) { SetLocation(x, y, 0.0f); }

const TQR_BoundingVolume* TQR_PrimitivePoint::GetBoundingVolume(int) { return &m_box; }

void TQR_PrimitivePoint::SetupDrawAttributes(TQR_DrawHelper* drawHelper)
{
    TQR_Primitive::SetupDrawAttributes(drawHelper);
    drawHelper->SetPointSize(GetPointSize());
}

void TQR_PrimitivePoint::DrawGeometry(int, TQR_DrawHelper* drawHelper)
{
    drawHelper->DrawPoint(m_location.x, m_location.y, m_location.z);
}
