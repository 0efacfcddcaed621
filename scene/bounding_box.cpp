#include "scene/bounding_box.h"

#include <algorithm>

#include "scene/draw_helper.h"

namespace {

const TQR_BoundingBox* AsBox(const TQR_BoundingVolume* volume)
{
    if (volume == nullptr || volume->GetVolumeType() != TQR_BoundingBox::kVolumeType) {
        return nullptr;
    }
    return static_cast<const TQR_BoundingBox*>(volume);
}

} // namespace

TQR_Vector3 TQR_BoundingBox::GetCenter() const
{
    return {(m_min.x + m_max.x) / 2.0f, (m_min.y + m_max.y) / 2.0f, (m_min.z + m_max.z) / 2.0f};
}

void TQR_BoundingBox::Add(const TQR_BoundingVolume* volume)
{
    const TQR_BoundingBox* other = AsBox(volume);
    if (other == nullptr || !other->IsValid()) {
        return;
    }
    if (!IsValid()) {
        *this = *other;
        return;
    }
    m_min = {std::min(m_min.x, other->m_min.x), std::min(m_min.y, other->m_min.y), std::min(m_min.z, other->m_min.z)};
    m_max = {std::max(m_max.x, other->m_max.x), std::max(m_max.y, other->m_max.y), std::max(m_max.z, other->m_max.z)};
}

bool TQR_BoundingBox::Intersects(const TQR_BoundingVolume* volume) const
{
    const TQR_BoundingBox* other = AsBox(volume);
    if (other == nullptr) {
        return false;
    }
    const bool apart = other->m_max.x < m_min.x || other->m_min.x > m_max.x || other->m_max.y < m_min.y ||
                       other->m_min.y > m_max.y || other->m_max.z < m_min.z || other->m_min.z > m_max.z;
    return !apart;
}

bool TQR_BoundingBox::Contains(float x, float y, float z) const
{
    return m_min.x <= x && x <= m_max.x && m_min.y <= y && y <= m_max.y && m_min.z <= z && z <= m_max.z;
}

void TQR_BoundingBox::Draw(TQR_DrawHelper* drawHelper) const
{
    if (drawHelper == nullptr) {
        return;
    }
    const float xs[4] = {m_min.x, m_max.x, m_max.x, m_min.x};
    const float ys[4] = {m_min.y, m_min.y, m_max.y, m_max.y};
    for (const float z : {m_min.z, m_max.z}) {
        for (int corner = 0; corner < 4; ++corner) {
            const int next = (corner + 1) % 4;
            drawHelper->DrawLine(xs[corner], ys[corner], z, xs[next], ys[next], z);
        }
    }
    for (int corner = 0; corner < 4; ++corner) {
        drawHelper->DrawLine(xs[corner], ys[corner], m_min.z, xs[corner], ys[corner], m_max.z);
    }
}

void TQR_BoundingBox::SetCorners(float x0, float y0, float z0, float x1, float y1, float z1)
{
    m_min = {std::min(x0, x1), std::min(y0, y1), std::min(z0, z1)};
    m_max = {std::max(x0, x1), std::max(y0, y1), std::max(z0, z1)};
}

void TQR_BoundingBox::MakeEmpty()
{
    m_min = {1.0f, 1.0f, 1.0f};
    m_max = {-1.0f, -1.0f, -1.0f};
}

bool TQR_BoundingBox::IsValid() const { return m_max.x >= m_min.x && m_max.y >= m_min.y && m_max.z >= m_min.z; }
