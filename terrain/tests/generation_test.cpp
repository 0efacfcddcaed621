#include "terrain/generation.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "terrain/testing/heightfield_hash.h"

namespace {

// Replays steps, then repeats fallback.
DisplacementSteps Scripted(std::vector<int> steps, int fallback = 2)
{
    auto next = std::make_shared<std::size_t>(0);
    return [steps = std::move(steps), fallback, next] { return *next < steps.size() ? steps[(*next)++] : fallback; };
}

Heightfield Generated(int side, float roughness, const DisplacementSteps& steps)
{
    Result<Heightfield> field = GenerateHeightfieldWithSteps(side, roughness, steps);
    EXPECT_TRUE(field.ok()) << field.reason();
    return field.ok() ? std::move(field).value() : Heightfield();
}

TEST(Generation, RoughnessZeroLeavesOnlyTheCornersRandom)
{
    const std::set<float> halfScale = {-1, -0.5f, 0, 0.5f, 1, 1.5f, 2};
    const std::set<float> fullScale = {-2, -1, 0, 1, 2, 3, 4};
    for (std::uint64_t seed = 0; seed < 10; ++seed) {
        SCOPED_TRACE(seed);
        const Result<Heightfield> field = GenerateHeightfield({65, 0.0f, seed});
        ASSERT_TRUE(field.ok()) << field.reason();
        EXPECT_TRUE(halfScale.contains(field.value().At(0, 0)));
        EXPECT_TRUE(fullScale.contains(field.value().At(0, 64)));
        EXPECT_TRUE(fullScale.contains(field.value().At(64, 0)));
        EXPECT_TRUE(halfScale.contains(field.value().At(64, 64)));
    }
    // The same corner steps followed by different later steps give the same terrain.
    const std::vector<int> corners = {4, 2, 6, 6};
    std::vector<int> noisy = corners;
    for (int i = 0; i < 7000; ++i) {
        noisy.push_back((i * 7919 + 13) % 7);
    }
    const Heightfield quiet = Generated(65, 0.0f, Scripted(corners, 0));
    EXPECT_EQ(quiet, Generated(65, 0.0f, Scripted(noisy)));
    // Corners 1, 0, 4, 2; the centre is their mean.
    EXPECT_EQ(quiet.At(0, 0), 1.0f);
    EXPECT_EQ(quiet.At(64, 0), 4.0f);
    EXPECT_FLOAT_EQ(quiet.At(32, 32), 1.75f);
}

TEST(Generation, EachLevelSquaresTheRoughness)
{
    // Steps 0..3 are the corners; the square step of the first square of level k is step 4 + 5k
    // and writes the centre of that square, which no later step overwrites.
    struct Level {
        int step;
        int centre;
        double scale;
    } const levels[] = {{4, 32, 0.4},
                        {9, 48, 0.16},
                        {14, 56, 0.0256},
                        {19, 60, 6.5536e-4},
                        {24, 62, 4.294967296e-7},
                        {29, 63, 1.8446744073709552e-13}};
    for (const Level& level : levels) {
        SCOPED_TRACE(level.step);
        std::vector<int> steps(static_cast<std::size_t>(level.step), 2);
        steps.push_back(3);
        const Heightfield field = Generated(65, 0.4f, Scripted(steps));
        EXPECT_NEAR(field.At(level.centre, level.centre), level.scale, level.scale * 1e-5);
    }
}

TEST(Generation, RoughnessOneWritesEverySample)
{
    // Every step is +1 at scale 1, so every sample ends above 0, at every side.
    for (const int side : {3, 5, 33, 129}) {
        SCOPED_TRACE(side);
        const Heightfield field = Generated(side, 1.0f, Scripted({}, 3));
        ASSERT_EQ(field.Side(), side);
        for (const float height : field.Samples()) {
            ASSERT_GT(height, 0.0f);
        }
    }
}

TEST(Generation, BorderEdgeStepsAverageThreeNeighbours)
{
    // Three by three: one square, every edge midpoint on the border. Corner steps 3 3 5 6, then
    // 6 1 6 2 4 for the centre and the edges, roughness 1.
    const Heightfield field = Generated(3, 1.0f, Scripted({3, 3, 5, 6, 6, 1, 6, 2, 4}));
    const double c00 = 0.5, c02 = 1.0, c20 = 3.0, c22 = 2.0;
    const double centre = (c00 + c02 + c20 + c22) / 4.0 + 4.0;
    EXPECT_EQ(field.At(1, 1), 5.625f);
    EXPECT_EQ(field.At(0, 1), static_cast<float>((c00 + c02 + centre) / 3.0 - 1.0));
    EXPECT_EQ(field.At(2, 1), static_cast<float>((c20 + c22 + centre) / 3.0 + 4.0));
    EXPECT_EQ(field.At(1, 0), static_cast<float>((c00 + c20 + centre) / 3.0 + 0.0));
    EXPECT_EQ(field.At(1, 2), static_cast<float>((c02 + c22 + centre) / 3.0 + 2.0));
}

TEST(Generation, EdgeStepReadsAnUnvisitedNeighbourCentreAsZero)
{
    // Five by five, roughness 1, every step +1. Quarters go high-high, low-high, low-low,
    // high-low; the midpoint (2, 3) is first written by the high-high quarter, when the centre
    // (1, 3) of the low-high quarter is still 0, and then rewritten by that quarter.
    const Heightfield field = Generated(5, 1.0f, Scripted({}, 3));
    const auto f = [](double value) { return static_cast<double>(static_cast<float>(value)); };
    const double s00 = 0.5, s04 = 1.0, s40 = 1.0, s44 = 0.5;
    const double s22 = f((s44 + s40 + s04 + s00) / 4.0 + 1.0);
    const double s42 = f((s40 + s44 + s22) / 3.0 + 1.0);
    const double s24 = f((s22 + s04 + s44) / 3.0 + 1.0);
    const double s33 = f((s44 + s42 + s24 + s22) / 4.0 + 1.0);
    const double s23First = f((s22 + s24 + 0.0 + s33) / 4.0 + 1.0);
    const double s02 = f((s00 + s04 + s22) / 3.0 + 1.0);
    const double s13 = f((s24 + s22 + s04 + s02) / 4.0 + 1.0);
    const double s23 = f((s22 + s24 + s13 + s33) / 4.0 + 1.0);
    EXPECT_EQ(field.At(3, 3), static_cast<float>(s33));
    EXPECT_EQ(field.At(1, 3), static_cast<float>(s13));
    EXPECT_EQ(field.At(2, 3), static_cast<float>(s23));
    EXPECT_NE(static_cast<float>(s23), static_cast<float>(s23First));
}

// The heights of a seed are pinned: a build whose arithmetic or draw order differs fails here.
TEST(Generation, SameSeedGivesThePinnedHeights)
{
    const std::pair<int, std::uint64_t> cases[] = {{65, 0x5c2cc808320fffeaULL}, {257, 0x630a28f5efb52bafULL}};
    for (const auto& [side, hash] : cases) {
        SCOPED_TRACE(side);
        const Result<Heightfield> field = GenerateHeightfield({side, 0.55f, 42});
        ASSERT_TRUE(field.ok()) << field.reason();
        EXPECT_EQ(HashOf(field.value()), hash) << std::hex << HashOf(field.value());
        EXPECT_NE(HashOf(GenerateHeightfield({side, 0.55f, 43}).value()), hash);
    }
}

} // namespace
