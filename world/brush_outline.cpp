#include "world/brush_outline.h"

#include <cmath>
#include <numbers>

#include "world/terrain_picking.h"

namespace {

constexpr int kSegments = 96;
// World units above the surface.
constexpr float kLift = 0.08f;

} // namespace

std::vector<TQR_Vector3> BrushOutlinePoints(const Heightfield& heights, const BrushOutline& outline)
{
    std::vector<TQR_Vector3> points;
    if (heights.Side() < 2) {
        return points;
    }
    points.reserve(kSegments);
    for (int i = 0; i < kSegments; ++i) {
        const float angle = 2.0f * std::numbers::pi_v<float> * static_cast<float>(i) / kSegments;
        const float row = outline.row + outline.radius * std::sin(angle);
        const float column = outline.column + outline.radius * std::cos(angle);
        points.push_back(
            {ColumnToWorldX(heights, column), SurfaceHeight(heights, row, column) + kLift, RowToWorldZ(heights, row)});
    }
    return points;
}
