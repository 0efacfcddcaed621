#include "terrain/resample.h"

#include <gtest/gtest.h>

#include <cmath>

#include "terrain/tests/test_fields.h"

namespace {

Heightfield Resampled(const Heightfield& source, int side)
{
    Result<Heightfield> field = ResampleHeightfield(source, side);
    EXPECT_TRUE(field.ok()) << field.reason();
    return field.ok() ? std::move(field).value() : Heightfield();
}

double LargestDifference(const Heightfield& a, const Heightfield& b)
{
    double largest = 0.0;
    for (std::size_t i = 0; i < a.Samples().size(); ++i) {
        largest = std::max(largest, std::abs(static_cast<double>(a.Samples()[i]) - b.Samples()[i]));
    }
    return largest;
}

const std::pair<int, int> kSides[] = {{65, 257}, {257, 65}, {100, 129}, {2, 33}, {33, 2}, {1025, 33}, {37, 37}};

TEST(Resample, KeepsAConstantField)
{
    for (const auto& [from, to] : kSides) {
        SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
        const Heightfield field = Resampled(Heightfield(from, -3.25f), to);
        EXPECT_EQ(field, Heightfield(to, -3.25f));
    }
}

TEST(Resample, KeepsAPlane)
{
    const auto plane = [](double x, double z) { return 0.37 * x - 1.21 * z + 4.5; };
    for (const auto& [from, to] : kSides) {
        SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
        const Heightfield field = Resampled(FieldFrom(from, plane), to);
        ASSERT_EQ(field.Side(), to);
        // Heights reach about 30; float keeps about 7 digits.
        EXPECT_LT(LargestDifference(field, FieldFrom(to, plane)), 1e-5);
    }
}

TEST(Resample, MapsCornerToCorner)
{
    const Heightfield source = FieldFrom(100, [](double x, double z) { return x * x - 3.0 * z + x * z; });
    const Heightfield field = Resampled(source, 1025);
    EXPECT_EQ(field.At(0, 0), source.At(0, 0));
    EXPECT_EQ(field.At(0, 1024), source.At(0, 99));
    EXPECT_EQ(field.At(1024, 0), source.At(99, 0));
    EXPECT_EQ(field.At(1024, 1024), source.At(99, 99));
}

TEST(Resample, RoundTripsASmoothField)
{
    const auto smooth = [](double x, double z) { return std::sin(x / 5.0) * std::cos(z / 7.0) * 2.0; };
    // Up and back down: every coarse sample lands on a fine sample that copies it.
    const Heightfield coarse = FieldFrom(65, smooth);
    EXPECT_EQ(Resampled(Resampled(coarse, 257), 65), coarse);
    // Down and back up loses only the curvature between the coarse samples: at most
    // spacing^2 / 8 times the largest second derivative (2/25 + 2/49), spacing 30/64.
    const Heightfield fine = FieldFrom(257, smooth);
    const double bound = (30.0 / 64.0) * (30.0 / 64.0) / 8.0 * (2.0 / 25.0 + 2.0 / 49.0);
    const double error = LargestDifference(Resampled(Resampled(fine, 65), 257), fine);
    EXPECT_LT(error, bound);
    EXPECT_GT(error, bound / 20.0);
}

} // namespace
