#include "terrain/brush.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "terrain/internal/parameter_check.h"

namespace {

constexpr const char* kAction = "paint with the brush";

float FalloffWeight(BrushFalloff falloff, float t)
{
    switch (falloff) {
    case BrushFalloff::Smooth:
        return 1.0f - t * t * (3.0f - 2.0f * t);
    case BrushFalloff::Linear:
        return 1.0f - t;
    case BrushFalloff::Constant:
        return 1.0f;
    }
    return 0.0f;
}

// A value in -1..1 fixed by the seed and the sample (the SplitMix64 finaliser), so painting the
// same place with the same seed gives the same pattern, whatever the order of the dabs.
float NoiseAt(std::uint64_t seed, int row, int column)
{
    std::uint64_t x = seed + 0x9e3779b97f4a7c15ULL * (static_cast<std::uint64_t>(row) * 65536u + column + 1u);
    x = (x ^ (x >> 30u)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27u)) * 0x94d049bb133111ebULL;
    x ^= x >> 31u;
    return static_cast<float>(x >> 40u) * (2.0f / 16777216.0f) - 1.0f;
}

Result<> CheckStroke(const Brush& brush, std::span<const DabCentre> dabs)
{
    if (!std::isfinite(brush.height)) {
        return Failure{std::string("cannot ") + kAction + ": height " + FormatNumber(brush.height) +
                       " is not a finite number"};
    }
    for (const DabCentre& dab : dabs) {
        if (!std::isfinite(dab.row) || !std::isfinite(dab.column)) {
            return Failure{std::string("cannot ") + kAction + ": a dab's centre is not a finite number"};
        }
    }
    return FirstFailure({CheckRange(kAction, "radius", brush.radius, kSmallestBrushRadius, kLargestBrushRadius),
                         CheckRange(kAction, "strength", brush.strength, 0.0, 1.0)});
}

// Rows (or columns) within radius of centre, clipped to 0..side-1, as first and count.
std::pair<int, int> FootprintSpan(int side, float centre, float radius)
{
    const float first = std::max(std::ceil(centre - radius), 0.0f);
    const float last = std::min(std::floor(centre + radius), static_cast<float>(side - 1));
    if (first > last) {
        return {0, 0};
    }
    return {static_cast<int>(first), static_cast<int>(last) - static_cast<int>(first) + 1};
}

// The mean of each sample of rect and its neighbours on the terrain, as it is now.
std::vector<float> NeighbourMeans(const Heightfield& field, const SampleRect& rect)
{
    std::vector<float> means;
    means.reserve(static_cast<std::size_t>(rect.rows) * rect.columns);
    for (int row = rect.row; row < rect.row + rect.rows; ++row) {
        for (int column = rect.column; column < rect.column + rect.columns; ++column) {
            double sum = 0.0;
            int count = 0;
            for (int r = std::max(row - 1, 0); r <= std::min(row + 1, field.Side() - 1); ++r) {
                for (int c = std::max(column - 1, 0); c <= std::min(column + 1, field.Side() - 1); ++c) {
                    sum += field.At(r, c);
                    ++count;
                }
            }
            means.push_back(static_cast<float>(sum / count));
        }
    }
    return means;
}

class DabPainter {
public:
    DabPainter(Heightfield& field, const Brush& brush) : m_field(field), m_brush(brush) {}

    void Paint(DabCentre centre, const SampleRect& footprint)
    {
        if (m_brush.kind == BrushKind::Smooth) {
            m_means = NeighbourMeans(m_field, footprint);
        }
        std::size_t index = 0;
        for (int row = footprint.row; row < footprint.row + footprint.rows; ++row) {
            for (int column = footprint.column; column < footprint.column + footprint.columns; ++column, ++index) {
                const float down = static_cast<float>(row) - centre.row;
                const float across = static_cast<float>(column) - centre.column;
                const float distance = std::sqrt(down * down + across * across);
                if (distance <= m_brush.radius) {
                    const float weight = FalloffWeight(m_brush.falloff, distance / m_brush.radius);
                    float& height = m_field.At(row, column);
                    height = Painted(height, weight, row, column, index);
                }
            }
        }
    }

private:
    float Painted(float height, float weight, int row, int column, std::size_t index) const
    {
        const float amount = m_brush.strength * weight;
        switch (m_brush.kind) {
        case BrushKind::Raise:
            return height + amount;
        case BrushKind::Lower:
            return height - amount;
        case BrushKind::Smooth:
            return std::lerp(height, m_means[index], amount);
        case BrushKind::Flatten:
            return std::lerp(height, m_brush.height, amount);
        case BrushKind::Noise:
            return height + amount * NoiseAt(m_brush.seed, row, column);
        case BrushKind::Set:
            return std::lerp(height, m_brush.height, weight);
        }
        return height;
    }

    Heightfield& m_field;
    const Brush& m_brush;
    std::vector<float> m_means;
};

} // namespace

SampleRect SampleRect::United(const SampleRect& other) const
{
    if (other.Empty()) {
        return *this;
    }
    if (Empty()) {
        return other;
    }
    const int firstRow = std::min(row, other.row);
    const int firstColumn = std::min(column, other.column);
    const int endRow = std::max(row + rows, other.row + other.rows);
    const int endColumn = std::max(column + columns, other.column + other.columns);
    return {firstRow, firstColumn, endRow - firstRow, endColumn - firstColumn};
}

SampleRect DabFootprint(int side, const Brush& brush, DabCentre centre)
{
    const auto [row, rows] = FootprintSpan(side, centre.row, brush.radius);
    const auto [column, columns] = FootprintSpan(side, centre.column, brush.radius);
    if (rows == 0 || columns == 0) {
        return {};
    }
    return {row, column, rows, columns};
}

Result<SampleRect> ApplyStroke(Heightfield& field, const Brush& brush, std::span<const DabCentre> dabs)
{
    if (const Result<> check = CheckStroke(brush, dabs); !check.ok()) {
        return Failure{check.reason()};
    }
    DabPainter painter(field, brush);
    SampleRect changed;
    for (const DabCentre& dab : dabs) {
        const SampleRect footprint = DabFootprint(field.Side(), brush, dab);
        if (!footprint.Empty()) {
            painter.Paint(dab, footprint);
            changed = changed.United(footprint);
        }
    }
    return changed;
}
