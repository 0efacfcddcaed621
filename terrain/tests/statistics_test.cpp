#include "terrain/statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "terrain/tests/test_fields.h"

namespace {

TerrainStatistics Described(const Heightfield& field, float waterLevel = 0.0f)
{
    const Result<TerrainStatistics> statistics = ComputeTerrainStatistics(field, waterLevel);
    EXPECT_TRUE(statistics.ok()) << statistics.reason();
    return statistics.ok() ? statistics.value() : TerrainStatistics();
}

TEST(Statistics, PlanesFallInTheBinOfTheirSlope)
{
    // Angles in the middle of a bin; the plane rises along x, along z or along the diagonal, at
    // sides whose spacing differs, so the real spacing must be used.
    const struct {
        double degrees;
        double alongX;
        double alongZ;
        int side;
    } cases[] = {{2.5, 1, 0, 33},       {22.5, 0, 1, 65},  {47.5, 1, 0, 257},
                 {47.5, 0.6, 0.8, 129}, {62.5, 0, -1, 33}, {87.5, -0.8, 0.6, 65}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.degrees);
        const double rise = TangentOfDegrees(c.degrees);
        const Heightfield plane =
            FieldFrom(c.side, [&](double x, double z) { return rise * (c.alongX * x + c.alongZ * z); });
        const TerrainStatistics statistics = Described(plane);
        const auto bin = static_cast<std::size_t>(c.degrees / kSlopeBinDegrees);
        EXPECT_EQ(statistics.slopeHistogram[bin], static_cast<std::uint64_t>(c.side) * c.side);
    }
}

TEST(Statistics, FortyFiveDegreesRiseOneUnitPerUnit)
{
    // h = x: on the edge between the 40-45 and 45-50 bins; the rounding of the heights decides
    // which, but nothing falls anywhere else.
    const TerrainStatistics statistics = Described(FieldFrom(65, [](double x, double) { return x; }));
    EXPECT_EQ(statistics.slopeHistogram[8] + statistics.slopeHistogram[9], 65u * 65u);
    EXPECT_FLOAT_EQ(statistics.minimum, -15.0f);
    EXPECT_FLOAT_EQ(statistics.maximum, 15.0f);
    EXPECT_NEAR(statistics.mean, 0.0, 1e-6);
}

TEST(Statistics, Bowl)
{
    const int side = 65;
    const Heightfield bowl = FieldFrom(side, [](double x, double z) { return x * x + z * z; });
    const TerrainStatistics statistics = Described(bowl);
    EXPECT_EQ(statistics.minimum, 0.0f);
    EXPECT_EQ(statistics.maximum, 450.0f);
    // The mean of x^2 over side evenly spaced x from -15 to 15 is 15^2 (side + 1) / (3 (side - 1)).
    EXPECT_NEAR(statistics.mean, 2.0 * 225.0 * (side + 1) / (3.0 * (side - 1)), 1e-3);
    // The centre is flat, the corners are steep (slope atan(2 * 15 * sqrt 2) = 88.6 degrees).
    EXPECT_GT(statistics.slopeHistogram[0], 0u);
    EXPECT_GT(statistics.slopeHistogram[kSlopeBins - 1], 0u);
    // Under water up to 100: a disc of radius 10.
    const double disc = std::numbers::pi * 100.0 / 900.0;
    EXPECT_NEAR(Described(bowl, 100.0f).waterShare, disc, disc * 0.01);
}

TEST(Statistics, WaterShareOfATiltedPlane)
{
    const struct {
        float level;
        double share;
    } cases[] = {{-20.0f, 0.0}, {-15.0f, 0.0}, {-7.5f, 0.25}, {0.0f, 0.5}, {7.5f, 0.75}, {15.0f, 1.0}, {1e30f, 1.0}};
    // Along x, and along the diagonal across the triangles' own diagonal and along it.
    const Heightfield alongX = FieldFrom(33, [](double x, double) { return x; });
    const Heightfield across = FieldFrom(33, [](double x, double z) { return (x + z) / 2.0; });
    const Heightfield along = FieldFrom(33, [](double x, double z) { return (x - z) / 2.0; });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        EXPECT_NEAR(Described(alongX, c.level).waterShare, c.share, 1e-9);
        // On the diagonal planes the share below level l is a triangle's: (l/15 + 1)^2 / 2 below 0.
        const double l = std::clamp(static_cast<double>(c.level) / 15.0, -1.0, 1.0);
        const double diagonal = l <= 0.0 ? (l + 1.0) * (l + 1.0) / 2.0 : 1.0 - (1.0 - l) * (1.0 - l) / 2.0;
        EXPECT_NEAR(Described(across, c.level).waterShare, diagonal, 1e-6);
        EXPECT_NEAR(Described(along, c.level).waterShare, diagonal, 1e-6);
    }
}

} // namespace
