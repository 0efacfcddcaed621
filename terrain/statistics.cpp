#include "terrain/statistics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "terrain/internal/parameter_check.h"

namespace {

// Rows between progress reports and cancellation checks.
constexpr int kProgressRows = 64;

// Squared tangents of the bin edges 5, 10, ..., 85 degrees: a slope falls in bin i when its
// squared gradient reaches i of them, so no angle is computed per sample.
std::array<double, kSlopeBins - 1> SquaredBinEdges()
{
    std::array<double, kSlopeBins - 1> edges{};
    for (int i = 0; i < kSlopeBins - 1; ++i) {
        const double tangent = std::tan((i + 1) * kSlopeBinDegrees * std::numbers::pi / 180.0);
        edges[static_cast<std::size_t>(i)] = tangent * tangent;
    }
    return edges;
}

// The derivative along one axis at index i of n samples spacing apart: central inside, one-sided
// at the ends.
double Derivative(double before, double here, double after, int i, int n, double spacing)
{
    if (i == 0) {
        return (after - here) / spacing;
    }
    if (i == n - 1) {
        return (here - before) / spacing;
    }
    return (after - before) / (2.0 * spacing);
}

// The share of a linear triangle's area below level, from its corner heights.
double TriangleShareBelow(double a, double b, double c, double level)
{
    double h[3] = {a, b, c};
    std::sort(h, h + 3);
    if (level <= h[0]) {
        return 0.0;
    }
    if (level >= h[2]) {
        return 1.0;
    }
    if (level <= h[1]) {
        return (level - h[0]) * (level - h[0]) / ((h[1] - h[0]) * (h[2] - h[0]));
    }
    return 1.0 - (h[2] - level) * (h[2] - level) / ((h[2] - h[0]) * (h[2] - h[1]));
}

class StatisticsPass {
public:
    StatisticsPass(const Heightfield& field, float waterLevel)
        : m_field(field), m_side(field.Side()), m_spacing(field.Spacing()), m_level(waterLevel),
          m_edges(SquaredBinEdges())
    {
        m_statistics.minimum = field.At(0, 0);
        m_statistics.maximum = field.At(0, 0);
    }

    void AddRow(int row)
    {
        for (int column = 0; column < m_side; ++column) {
            const float height = m_field.At(row, column);
            m_statistics.minimum = std::min(m_statistics.minimum, height);
            m_statistics.maximum = std::max(m_statistics.maximum, height);
            m_sum += height;
            ++m_statistics.slopeHistogram[SlopeBin(row, column)];
            if (row + 1 < m_side && column + 1 < m_side) {
                m_waterTriangles += CellShareBelow(row, column);
            }
        }
    }

    TerrainStatistics Finish()
    {
        const double samples = static_cast<double>(m_side) * m_side;
        m_statistics.mean = m_sum / samples;
        m_statistics.waterShare = m_waterTriangles / (2.0 * (m_side - 1) * (m_side - 1));
        return m_statistics;
    }

private:
    double H(int row, int column) const
    {
        return m_field.At(std::clamp(row, 0, m_side - 1), std::clamp(column, 0, m_side - 1));
    }

    std::size_t SlopeBin(int row, int column) const
    {
        const double x = Derivative(H(row, column - 1), H(row, column), H(row, column + 1), column, m_side, m_spacing);
        const double z = Derivative(H(row - 1, column), H(row, column), H(row + 1, column), row, m_side, m_spacing);
        const double squared = x * x + z * z;
        return static_cast<std::size_t>(std::upper_bound(m_edges.begin(), m_edges.end(), squared) - m_edges.begin());
    }

    // Both triangles of the cell, split along the diagonal from (row, column + 1) to
    // (row + 1, column) as the terrain mesh is.
    double CellShareBelow(int row, int column) const
    {
        const double topLeft = H(row, column);
        const double topRight = H(row, column + 1);
        const double bottomLeft = H(row + 1, column);
        const double bottomRight = H(row + 1, column + 1);
        // Most cells lie wholly above or below the water.
        const auto [lowest, highest] = std::minmax({topLeft, topRight, bottomLeft, bottomRight});
        if (highest <= m_level || lowest >= m_level) {
            return highest <= m_level ? 2.0 : 0.0;
        }
        return TriangleShareBelow(topLeft, topRight, bottomLeft, m_level) +
               TriangleShareBelow(bottomLeft, topRight, bottomRight, m_level);
    }

    const Heightfield& m_field;
    int m_side;
    double m_spacing;
    double m_level;
    std::array<double, kSlopeBins - 1> m_edges;
    TerrainStatistics m_statistics;
    double m_sum = 0.0;
    double m_waterTriangles = 0.0;
};

} // namespace

Result<TerrainStatistics> ComputeTerrainStatistics(const Heightfield& field, float waterLevel, Progress* progress)
{
    if (const Result<> check = CheckHeights("describe the terrain", field); !check.ok()) {
        return Failure{check.reason()};
    }
    if (std::isnan(waterLevel)) {
        return Failure{"cannot describe the terrain: the water level is not a number"};
    }
    StatisticsPass pass(field, waterLevel);
    for (int row = 0; row < field.Side(); ++row) {
        pass.AddRow(row);
        if ((row + 1) % kProgressRows == 0) {
            ReportProgress(progress, static_cast<double>(row + 1) / field.Side());
            if (IsCancelled(progress)) {
                return Failure{kCancelledReason};
            }
        }
    }
    ReportProgress(progress, 1.0);
    return pass.Finish();
}
