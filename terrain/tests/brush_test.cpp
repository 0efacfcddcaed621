#include "terrain/brush.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "terrain/random.h"
#include "terrain/tests/test_fields.h"

namespace {

constexpr int kSide = 65;
constexpr DabCentre kCentre = {30.4f, 20.7f};

Heightfield Hills()
{
    return FieldFrom(kSide, [](double x, double z) { return std::sin(x / 3.0) + std::cos(z / 2.0); });
}

Heightfield Noisy(std::uint64_t seed)
{
    Pcg32 random(seed);
    Heightfield field(kSide);
    for (float& height : field.Samples()) {
        height = random.Unit() * 4.0f;
    }
    return field;
}

SampleRect Paint(Heightfield& field, const Brush& brush, std::initializer_list<DabCentre> dabs)
{
    const Result<SampleRect> changed = ApplyStroke(field, brush, std::span(dabs.begin(), dabs.size()));
    EXPECT_TRUE(changed.ok()) << changed.reason();
    return changed.ok() ? changed.value() : SampleRect();
}

// The falloff as its description says, at t = distance / radius.
double ExpectedWeight(BrushFalloff falloff, double t)
{
    if (t > 1.0) {
        return 0.0;
    }
    switch (falloff) {
    case BrushFalloff::Smooth:
        return 1.0 - 3.0 * t * t + 2.0 * t * t * t;
    case BrushFalloff::Linear:
        return 1.0 - t;
    case BrushFalloff::Constant:
        return 1.0;
    }
    return 0.0;
}

// The heights of a sample and its neighbours, lowest and highest.
std::pair<float, float> NeighbourRange(const Heightfield& field, int row, int column)
{
    std::pair<float, float> range = {field.At(row, column), field.At(row, column)};
    for (int r = std::max(row - 1, 0); r <= std::min(row + 1, kSide - 1); ++r) {
        for (int c = std::max(column - 1, 0); c <= std::min(column + 1, kSide - 1); ++c) {
            range = {std::min(range.first, field.At(r, c)), std::max(range.second, field.At(r, c))};
        }
    }
    return range;
}

// Where a sample of height before may end up after one dab of weight w.
std::pair<double, double> ExpectedRange(const Brush& brush, double w, const Heightfield& before, int row, int column)
{
    const double h = before.At(row, column);
    const double s = brush.strength;
    switch (brush.kind) {
    case BrushKind::Raise:
        return {h + s * w, h + s * w};
    case BrushKind::Lower:
        return {h - s * w, h - s * w};
    case BrushKind::Flatten:
        return {h + s * w * (brush.height - h), h + s * w * (brush.height - h)};
    case BrushKind::Set:
        return {h + w * (brush.height - h), h + w * (brush.height - h)};
    case BrushKind::Noise:
        return {h - s * w, h + s * w};
    case BrushKind::Smooth: {
        // Toward the neighbours' mean, so within their range and at most s * w of the way.
        const auto [low, high] = NeighbourRange(before, row, column);
        return {std::max<double>(low, h - s * w * (high - low)), std::min<double>(high, h + s * w * (high - low))};
    }
    }
    return {h, h};
}

TEST(Brush, ChangesOnlyTheSamplesWithinTheRadiusAsTheFalloffSays)
{
    const BrushKind kinds[] = {BrushKind::Raise,   BrushKind::Lower, BrushKind::Smooth,
                               BrushKind::Flatten, BrushKind::Noise, BrushKind::Set};
    const BrushFalloff falloffs[] = {BrushFalloff::Smooth, BrushFalloff::Linear, BrushFalloff::Constant};
    for (const BrushKind kind : kinds) {
        for (const BrushFalloff falloff : falloffs) {
            SCOPED_TRACE("kind " + std::to_string(static_cast<int>(kind)) + ", falloff " +
                         std::to_string(static_cast<int>(falloff)));
            const Brush brush = {kind, falloff, 6.5f, 0.75f, 2.0f, 9};
            const Heightfield before = Hills();
            Heightfield after = before;
            const SampleRect changed = Paint(after, brush, {kCentre});
            EXPECT_EQ(changed, (SampleRect{24, 15, 13, 13}));
            int moved = 0;
            for (int row = 0; row < kSide; ++row) {
                for (int column = 0; column < kSide; ++column) {
                    const double t = std::hypot(row - kCentre.row, column - kCentre.column) / brush.radius;
                    const double w = ExpectedWeight(falloff, t);
                    const auto [low, high] = ExpectedRange(brush, w, before, row, column);
                    const float height = after.At(row, column);
                    ASSERT_GE(height, low - 1e-5) << row << "," << column;
                    ASSERT_LE(height, high + 1e-5) << row << "," << column;
                    if (height != before.At(row, column)) {
                        ASSERT_TRUE(changed.Contains(row, column)) << row << "," << column;
                        ++moved;
                    }
                }
            }
            // About pi * 6.5^2 = 133 samples lie within the radius.
            EXPECT_GT(moved, 100);
        }
    }
}

TEST(Brush, FlattenAtFullStrengthReachesTheTarget)
{
    Heightfield constant = Hills();
    Paint(constant, {BrushKind::Flatten, BrushFalloff::Constant, 5.0f, 1.0f, -1.5f, 0}, {{32.0f, 32.0f}});
    Heightfield smooth = Hills();
    Paint(smooth, {BrushKind::Flatten, BrushFalloff::Smooth, 5.0f, 1.0f, -1.5f, 0}, {{32.0f, 32.0f}});
    for (int row = 27; row <= 37; ++row) {
        for (int column = 27; column <= 37; ++column) {
            SCOPED_TRACE(std::to_string(row) + "," + std::to_string(column));
            const bool within = std::hypot(row - 32.0, column - 32.0) <= 5.0;
            EXPECT_EQ(constant.At(row, column) == -1.5f, within);
        }
    }
    EXPECT_EQ(smooth.At(32, 32), -1.5f);
    EXPECT_NE(smooth.At(32, 35), -1.5f);
}

TEST(Brush, SmoothReducesVariance)
{
    const auto variance = [](const Heightfield& field) {
        double sum = 0.0;
        double squares = 0.0;
        for (int row = 22; row <= 42; ++row) {
            for (int column = 22; column <= 42; ++column) {
                sum += field.At(row, column);
                squares += field.At(row, column) * field.At(row, column);
            }
        }
        const double n = 21.0 * 21.0;
        return squares / n - (sum / n) * (sum / n);
    };
    Heightfield field = Noisy(3);
    const double noisy = variance(field);
    Paint(field, {BrushKind::Smooth, BrushFalloff::Constant, 16.0f, 1.0f, 0.0f, 0}, {{32.0f, 32.0f}, {32.0f, 32.0f}});
    // Each pass averages nine independent samples, so the variance falls far below half.
    EXPECT_LT(variance(field), noisy * 0.2);
}

TEST(Brush, NoiseIsTheSameForTheSameSeed)
{
    const Brush brush = {BrushKind::Noise, BrushFalloff::Constant, 10.0f, 1.0f, 0.0f, 77};
    Heightfield first(kSide, 1.0f);
    Heightfield second(kSide, 1.0f);
    Heightfield other(kSide, 1.0f);
    Paint(first, brush, {kCentre});
    Paint(second, brush, {kCentre});
    Brush otherSeed = brush;
    otherSeed.seed = 78;
    Paint(other, otherSeed, {kCentre});
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other);
    const auto [low, high] = std::minmax_element(first.Samples().begin(), first.Samples().end());
    EXPECT_LT(*low, 0.5f);
    EXPECT_GT(*high, 1.5f);
}

TEST(Brush, StrokeReportsTheUnionOfItsDabsClippedToTheTerrain)
{
    Heightfield field = Hills();
    const Heightfield before = field;
    const Brush brush = {BrushKind::Raise, BrushFalloff::Linear, 3.0f, 0.5f, 0.0f, 0};
    EXPECT_EQ(Paint(field, brush, {{1.0f, 1.0f}, {10.5f, 62.0f}}), (SampleRect{0, 0, 14, 65}));
    // Dabs beyond the border change nothing and report an empty rectangle.
    Heightfield outside = before;
    EXPECT_TRUE(Paint(outside, brush, {{-4.0f, 10.0f}, {30.0f, 70.0f}, {1e30f, 1e30f}}).Empty());
    EXPECT_EQ(outside, before);
}

} // namespace
