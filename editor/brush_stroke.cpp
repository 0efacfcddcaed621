#include "editor/brush_stroke.h"

#include <algorithm>
#include <cmath>

#include "world/terrain_picking.h"
#include "world/terrain_world.h"

namespace {

std::vector<float> Cut(const Heightfield& heights, const SampleRect& rect)
{
    std::vector<float> samples;
    samples.reserve(static_cast<std::size_t>(std::max(rect.rows, 0)) * std::max(rect.columns, 0));
    for (int row = rect.row; row < rect.row + rect.rows; ++row) {
        const std::span<const float> line = heights.Row(row).subspan(rect.column, rect.columns);
        samples.insert(samples.end(), line.begin(), line.end());
    }
    return samples;
}

} // namespace

SampleBounds BoundsOf(const SampleRect& rect)
{
    return {rect.row, rect.column, rect.row + rect.rows - 1, rect.column + rect.columns - 1};
}

CBrushStroke::CBrushStroke(CTerrainWorld& world, const Brush& brush, DabCentre centre)
    : m_world(world), m_brush(brush), m_last(centre), m_before(world.HeightsSnapshot()), m_painted(m_before)
{
    if (m_brush.kind == BrushKind::Flatten) {
        m_brush.height = SurfaceHeight(m_before, centre.row, centre.column);
    }
}

float CBrushStroke::DabSpacing(float radius) { return std::max(radius / 4.0f, 0.5f); }

Result<> CBrushStroke::Start() { return Paint({m_last}); }

Result<> CBrushStroke::MoveTo(DabCentre centre)
{
    const float spacing = DabSpacing(m_brush.radius);
    const float rows = centre.row - m_last.row;
    const float columns = centre.column - m_last.column;
    const float length = std::hypot(rows, columns);
    const int count = static_cast<int>(length / spacing);
    if (count == 0) {
        return {};
    }
    std::vector<DabCentre> dabs;
    dabs.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i) {
        const float along = spacing * static_cast<float>(i) / length;
        dabs.push_back({m_last.row + rows * along, m_last.column + columns * along});
    }
    Result<> painted = Paint(dabs);
    if (painted) {
        m_last = dabs.back();
    }
    return painted;
}

Result<> CBrushStroke::Paint(const std::vector<DabCentre>& dabs)
{
    for (const DabCentre& dab : dabs) {
        Result<SampleRect> touched = ApplyStroke(m_painted, m_brush, std::span(&dab, 1));
        if (!touched) {
            return Failure{touched.reason()};
        }
        if (touched.value().Empty()) {
            continue;
        }
        m_touched = m_touched.United(touched.value());
        if (Result<> shown = m_world.SetHeightsInRegion(BoundsOf(touched.value()), Cut(m_painted, touched.value()));
            !shown) {
            return shown;
        }
    }
    return {};
}

StrokeRegion CBrushStroke::Region() const
{
    if (m_touched.Empty()) {
        return {};
    }
    return {m_touched, Cut(m_before, m_touched), Cut(m_painted, m_touched)};
}
