#include "terrain/erosion_thermal.h"

#include <cmath>
#include <numbers>

#include "terrain/internal/parameter_check.h"

namespace {

constexpr const char* kAction = "erode the terrain";

// One sweep settles every pair of neighbours once, in place: each pair's move sees the moves
// before it, which settles a slope in far fewer sweeps than updating from a copy.
class TalusSweep {
public:
    TalusSweep(Heightfield& field, const ThermalErosionParameters& parameters)
        : m_field(field), m_side(field.Side()),
          m_limit(
              static_cast<float>(std::tan(parameters.talusAngleDegrees * std::numbers::pi / 180.0) * field.Spacing())),
          m_diagonalLimit(m_limit * std::numbers::sqrt2_v<float>), m_halfRate(0.5f * parameters.rate)
    {
    }

    // Even sweeps run from the first sample to the last, odd ones back.
    void Run(int sweep)
    {
        if (sweep % 2 == 0) {
            for (int row = 0; row < m_side; ++row) {
                for (int column = 0; column < m_side; ++column) {
                    SettleAround(row, column);
                }
            }
        } else {
            for (int row = m_side - 1; row >= 0; --row) {
                for (int column = m_side - 1; column >= 0; --column) {
                    SettleAround(row, column);
                }
            }
        }
    }

private:
    // The pairs of a sample with its right, lower and two lower diagonal neighbours: every pair of
    // neighbours on the terrain once.
    void SettleAround(int row, int column)
    {
        float& here = m_field.At(row, column);
        if (column + 1 < m_side) {
            Settle(here, m_field.At(row, column + 1), m_limit);
        }
        if (row + 1 < m_side) {
            Settle(here, m_field.At(row + 1, column), m_limit);
            if (column + 1 < m_side) {
                Settle(here, m_field.At(row + 1, column + 1), m_diagonalLimit);
            }
            if (column > 0) {
                Settle(here, m_field.At(row + 1, column - 1), m_diagonalLimit);
            }
        }
    }

    // Moves rate of the excess over limit from the higher sample to the lower; what one loses
    // the other gains.
    void Settle(float& a, float& b, float limit) const
    {
        const float difference = a - b;
        if (difference > limit) {
            const float moved = m_halfRate * (difference - limit);
            a -= moved;
            b += moved;
        } else if (difference < -limit) {
            const float moved = m_halfRate * (-difference - limit);
            a += moved;
            b -= moved;
        }
    }

    Heightfield& m_field;
    int m_side;
    float m_limit;
    float m_diagonalLimit;
    float m_halfRate;
};

} // namespace

Result<Heightfield> ErodeThermally(const Heightfield& field, const ThermalErosionParameters& parameters,
                                   Progress* progress)
{
    if (const Result<> check = FirstFailure(
            {CheckHeights(kAction, field), CheckRange(kAction, "talus angle", parameters.talusAngleDegrees, 0.0, 89.0),
             CheckRange(kAction, "iterations", parameters.iterations, 1.0, 10000.0),
             CheckRange(kAction, "rate", parameters.rate, 0.0, 1.0)});
        !check.ok()) {
        return Failure{check.reason()};
    }
    Heightfield eroded = field;
    TalusSweep sweep(eroded, parameters);
    for (int i = 0; i < parameters.iterations; ++i) {
        sweep.Run(i);
        ReportProgress(progress, static_cast<double>(i + 1) / parameters.iterations);
        if (IsCancelled(progress)) {
            return Failure{kCancelledReason};
        }
    }
    return eroded;
}
