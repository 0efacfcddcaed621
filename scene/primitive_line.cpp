#include "scene/primitive_line.h"

#include "scene/draw_helper.h"

void TQR_PrimitiveLine::Update(float seconds)
{
    const TQR_Vector3 step = GetPrimVelocity() * seconds;
    MoveEnds(m_start + step, m_end + step);
}

void TQR_PrimitiveLine::PlaceVertex(int index, float x, float y)
{
    const TQR_Vector3 point{x, y, 0.0f};
    MoveEnds(index == 0 ? point : m_start, point);
}

void TQR_PrimitiveLine::DragVertex(float x, float y) { MoveEnds(m_start, {x, y, 0.0f}); }

void TQR_PrimitiveLine::MoveEnds(const TQR_Vector3& start, const TQR_Vector3& end)
{
    if (!(start == m_start) || !(end == m_end)) {
        MarkChanged();
    }
    m_start = start;
    m_end = end;
}

TQR_Vector3 TQR_PrimitiveLine::GetLocation() const { return (m_start + m_end) * 0.5f; }

const TQR_BoundingVolume* TQR_PrimitiveLine::GetBoundingVolume(int)
{
    m_box.SetCorners(m_start.x, m_start.y, m_start.z, m_end.x, m_end.y, m_end.z);
    return &m_box;
}

void TQR_PrimitiveLine::SetupDrawAttributes(TQR_DrawHelper* drawHelper)
{
    TQR_Primitive::SetupDrawAttributes(drawHelper);
    drawHelper->SetColor2(GetSecondColor());
    drawHelper->SetShadeMode(GetShadeMode());
}

void TQR_PrimitiveLine::DrawGeometry(int, TQR_DrawHelper* drawHelper)
{
    drawHelper->DrawLine(m_start.x, m_start.y, m_start.z, m_end.x, m_end.y, m_end.z);
}
