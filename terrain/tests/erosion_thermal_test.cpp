#include "terrain/erosion_thermal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "terrain/tests/test_fields.h"

namespace {

// The steepest slope in degrees between any sample and its eight neighbours, with the real
// spacing.
double SteepestSlope(const Heightfield& field)
{
    double steepest = 0.0;
    for (int row = 0; row < field.Side(); ++row) {
        for (int column = 0; column < field.Side(); ++column) {
            for (const auto& [dr, dc] : {std::pair{0, 1}, {1, 0}, {1, 1}, {1, -1}}) {
                if (field.Contains(row + dr, column + dc)) {
                    const double rise = std::abs(field.At(row, column) - field.At(row + dr, column + dc));
                    const double run = field.Spacing() * std::hypot(dr, dc);
                    steepest = std::max(steepest, std::atan(rise / run) * 180.0 / std::numbers::pi);
                }
            }
        }
    }
    return steepest;
}

Heightfield Cone(int side, double degrees)
{
    const double rise = TangentOfDegrees(degrees);
    return FieldFrom(side, [rise](double x, double z) { return std::max(0.0, 6.0 - rise * std::hypot(x, z)); });
}

Heightfield Eroded(const Heightfield& field, const ThermalErosionParameters& parameters)
{
    Result<Heightfield> eroded = ErodeThermally(field, parameters);
    EXPECT_TRUE(eroded.ok()) << eroded.reason();
    return eroded.ok() ? std::move(eroded).value() : Heightfield();
}

TEST(ThermalErosion, SettlesSlopesAtTheTalusAngleAndKeepsTheMaterial)
{
    const struct {
        int side;
        double coneDegrees;
        ThermalErosionParameters parameters;
    } cases[] = {{65, 60.0, {30.0f, 400, 0.5f}}, {129, 75.0, {40.0f, 400, 1.0f}}, {33, 45.0, {10.0f, 1500, 0.5f}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.side) + " " + std::to_string(c.parameters.talusAngleDegrees));
        const Heightfield cone = Cone(c.side, c.coneDegrees);
        ASSERT_GT(SteepestSlope(cone), c.coneDegrees - 1.0);
        const Heightfield eroded = Eroded(cone, c.parameters);
        EXPECT_LE(SteepestSlope(eroded), c.parameters.talusAngleDegrees + 0.5);
        EXPECT_NEAR(SumOf(eroded), SumOf(cone), SumOf(cone) * 1e-5);
    }
}

TEST(ThermalErosion, MovesOnlySlopesSteeperThanTheTalusWithTheRealSpacing)
{
    // The same angle is the same steepness at every side.
    const struct {
        int side;
        double planeDegrees;
        float talusDegrees;
        bool changes;
    } cases[] = {{33, 30.0, 35.0f, false},
                 {257, 30.0, 35.0f, false},
                 {33, 40.0, 35.0f, true},
                 {257, 40.0, 35.0f, true},
                 {65, 20.0, 0.0f, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.side) + " " + std::to_string(c.planeDegrees));
        const double rise = TangentOfDegrees(c.planeDegrees) / std::numbers::sqrt2;
        // Along the diagonal, so the steepest pairs are the diagonal ones.
        const Heightfield plane = FieldFrom(c.side, [rise](double x, double z) { return rise * (x + z); });
        EXPECT_EQ(Eroded(plane, {c.talusDegrees, 3, 0.5f}) != plane, c.changes);
    }
}

} // namespace
