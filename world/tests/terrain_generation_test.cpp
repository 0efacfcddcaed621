#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

#include "world/terrain_heights.h"
#include "world/tests/scripted_random.h"

namespace {

constexpr int kLast = 64;

CGenerationSeeder FixedClock(std::int64_t seconds)
{
    return CGenerationSeeder([seconds] { return seconds; });
}

std::vector<float> AllSamples(const CTerrainHeights& heights)
{
    std::vector<float> samples;
    for (int row = 0; row <= heights.GetGridSize(); ++row) {
        for (int column = 0; column <= heights.GetGridSize(); ++column) {
            samples.push_back(heights.GetSample(row, column));
        }
    }
    return samples;
}

TEST(TerrainGenerationTest, OneGenerationDraws6829NumbersAfterOneSeed)
{
    std::vector<unsigned int> seeds;
    int draws = 0;
    CTerrainHeights heights(65, std::make_unique<SingleStepRandom>(-1, &draws));
    heights.GenerateHeights();
    EXPECT_EQ(draws, 6829);
    CTerrainHeights seeded(65, std::make_unique<ScriptedRandom>(std::vector<int>{}, 2, &seeds), FixedClock(77));
    seeded.GenerateHeights();
    EXPECT_EQ(seeds, std::vector<unsigned int>{77});
}

TEST(TerrainGenerationTest, DisplacementTakesOneOfSevenStepsFromMinusTwo)
{
    const std::vector<int> draws = {0, 1, 2, 3, 4, 5, 6, 7, 32767};
    CTerrainHeights heights(65, std::make_unique<ScriptedRandom>(draws));
    const float expected[] = {-1.0f, -0.5f, 0.0f, 0.5f, 1.0f, 1.5f, 2.0f, -1.0f, -1.0f}; // 32767 = 7 * 4681
    for (float value : expected) {
        SCOPED_TRACE(value);
        EXPECT_EQ(heights.RandomDisplacement(0.5f), value);
    }
}

TEST(TerrainGenerationTest, RoughnessZeroLeavesOnlyTheCornersRandom)
{
    const std::set<float> halfScale = {-1, -0.5f, 0, 0.5f, 1, 1.5f, 2};
    const std::set<float> fullScale = {-2, -1, 0, 1, 2, 3, 4};
    for (std::int64_t second = 1000; second < 1010; ++second) {
        SCOPED_TRACE(second);
        CTerrainHeights heights(65, std::make_unique<CLibraryRandomSource>(), FixedClock(second));
        heights.GenerateHeights();
        EXPECT_TRUE(halfScale.contains(heights.GetSample(0, 0)));
        EXPECT_TRUE(fullScale.contains(heights.GetSample(0, kLast)));
        EXPECT_TRUE(fullScale.contains(heights.GetSample(kLast, 0)));
        EXPECT_TRUE(halfScale.contains(heights.GetSample(kLast, kLast)));
    }
    // The same corner draws followed by different later draws give the same terrain.
    const std::vector<int> corners = {4, 9, 13, 6};
    std::vector<int> noisy = corners;
    for (int i = 0; i < 7000; ++i) {
        noisy.push_back((i * 7919 + 13) % 32768);
    }
    CTerrainHeights quiet(65, std::make_unique<ScriptedRandom>(corners, 0));
    CTerrainHeights busy(65, std::make_unique<ScriptedRandom>(noisy));
    quiet.GenerateHeights();
    busy.GenerateHeights();
    EXPECT_EQ(AllSamples(quiet), AllSamples(busy));
    // Corners 1, 0, 4, 2 (k = 4, 2, 6, 6 at scales 0.5, 1, 1, 0.5); the centre is their mean.
    EXPECT_EQ(quiet.GetSample(0, 0), 1.0f);
    EXPECT_EQ(quiet.GetSample(kLast, 0), 4.0f);
    EXPECT_FLOAT_EQ(quiet.GetSample(32, 32), 1.75f);
}

TEST(TerrainGenerationTest, EachLevelSquaresTheRoughness)
{
    // Draws 0..3 are the corners; the square step of the first square of level k is draw 4 + 5k
    // and writes the centre of that square, which no later step overwrites.
    struct Level {
        int draw;
        int centre;
        double scale;
    } const levels[] = {{4, 32, 0.4},
                        {9, 48, 0.16},
                        {14, 56, 0.0256},
                        {19, 60, 6.5536e-4},
                        {24, 62, 4.294967296e-7},
                        {29, 63, 1.8446744073709552e-13}};
    for (const Level& level : levels) {
        SCOPED_TRACE(level.draw);
        int draws = 0;
        CTerrainHeights heights(65, std::make_unique<SingleStepRandom>(level.draw, &draws));
        heights.SetRoughness(0.4f);
        heights.GenerateHeights();
        EXPECT_NEAR(heights.GetSample(level.centre, level.centre), level.scale, level.scale * 1e-5);
    }
}

TEST(TerrainGenerationTest, RowAndColumn65AreNeverWritten)
{
    CTerrainHeights heights(65, std::make_unique<ScriptedRandom>(std::vector<int>{}, 3));
    for (int i = 0; i <= 65; ++i) {
        EXPECT_EQ(heights.GetSample(65, i), 0.0f);
        heights.SetSample(65, i, 9.0f);
        heights.SetSample(i, 65, 9.0f);
    }
    heights.SetRoughness(1.0f);
    heights.GenerateHeights();
    heights.SizeGrid();
    for (int i = 0; i <= 65; ++i) {
        EXPECT_EQ(heights.GetSample(65, i), 9.0f) << i;
        EXPECT_EQ(heights.GetSample(i, 65), 9.0f) << i;
    }
    // Every displacement is +scale, so every generated sample ends above 0.
    for (int row = 0; row <= kLast; ++row) {
        for (int column = 0; column <= kLast; ++column) {
            ASSERT_GT(heights.GetSample(row, column), 0.0f) << row << "," << column;
        }
    }
    EXPECT_EQ(heights.GetSample(66, 0), 0.0f);
    EXPECT_EQ(heights.GetSample(-1, 3), 0.0f);
}

TEST(TerrainGenerationTest, BorderEdgeStepsAverageThreeNeighbours)
{
    // Three by three: one square, every edge midpoint on the border. Draws: 10 3 5 20 for the
    // corners (k = 3 3 5 6), then 6 1 13 9 4 for centre and edges (k = 6 1 6 2 4), roughness 1.
    CTerrainHeights heights(3, std::make_unique<ScriptedRandom>(std::vector<int>{10, 3, 5, 20, 6, 1, 13, 9, 4}));
    heights.SetRoughness(1.0f);
    heights.GenerateHeights();
    const double c00 = 0.5, c02 = 1.0, c20 = 3.0, c22 = 2.0;
    const double centre = (c00 + c02 + c20 + c22) / 4.0 + 4.0; // 5.625
    EXPECT_FLOAT_EQ(heights.GetSample(0, 0), 0.5f);
    EXPECT_FLOAT_EQ(heights.GetSample(2, 2), 2.0f);
    EXPECT_FLOAT_EQ(heights.GetSample(1, 1), 5.625f);
    EXPECT_FLOAT_EQ(heights.GetSample(0, 1), static_cast<float>((c00 + c02 + centre) / 3.0 - 1.0));
    EXPECT_FLOAT_EQ(heights.GetSample(2, 1), static_cast<float>((c20 + c22 + centre) / 3.0 + 4.0));
    EXPECT_FLOAT_EQ(heights.GetSample(1, 0), static_cast<float>((c00 + c20 + centre) / 3.0 + 0.0));
    EXPECT_FLOAT_EQ(heights.GetSample(1, 2), static_cast<float>((c02 + c22 + centre) / 3.0 + 2.0));
}

TEST(TerrainGenerationTest, EdgeStepReadsAnUnvisitedNeighbourCentreAsZero)
{
    // Five by five, roughness 1, every draw 3 (+1). Quarters go high-high, low-high, low-low,
    // high-low; the midpoint (2, 3) is first written by the high-high quarter, when the centre
    // (1, 3) of the low-high quarter is still 0, and then rewritten by that quarter.
    CTerrainHeights heights(5, std::make_unique<ScriptedRandom>(std::vector<int>{}, 3));
    heights.SetRoughness(1.0f);
    heights.GenerateHeights();
    const auto f = [](double value) { return static_cast<double>(static_cast<float>(value)); };
    // Corners: scales 0.5, 1, 1, 0.5 with k = 3.
    const double s00 = 0.5, s04 = 1.0, s40 = 1.0, s44 = 0.5;
    const double s22 = f((s44 + s40 + s04 + s00) / 4.0 + 1.0);
    const double s42 = f((s40 + s44 + s22) / 3.0 + 1.0); // high row, on the border
    const double s24 = f((s22 + s04 + s44) / 3.0 + 1.0); // high column, on the border
    // High-high quarter (4, 2, 4, 2): centre, then its low-row edge (2, 3) reads (1, 3) = 0.
    const double s33 = f((s44 + s42 + s24 + s22) / 4.0 + 1.0);
    const double s23First = f((s22 + s24 + 0.0 + s33) / 4.0 + 1.0);
    // Low-high quarter (2, 0, 4, 2): its centre (1, 3) uses (2, 3) as first written.
    const double s02 = f((s00 + s04 + s22) / 3.0 + 1.0);
    const double s13 = f((s24 + s22 + s04 + s02) / 4.0 + 1.0);
    const double s23 = f((s22 + s24 + s13 + s33) / 4.0 + 1.0);
    EXPECT_FLOAT_EQ(heights.GetSample(3, 3), static_cast<float>(s33));
    EXPECT_FLOAT_EQ(heights.GetSample(1, 3), static_cast<float>(s13));
    EXPECT_FLOAT_EQ(heights.GetSample(2, 3), static_cast<float>(s23));
    EXPECT_NE(static_cast<float>(s23), static_cast<float>(s23First));
}

TEST(TerrainGenerationTest, GenerationsInTheSameSecondUseNewSeeds)
{
    std::vector<unsigned int> seeds;
    CTerrainHeights scripted(65, std::make_unique<ScriptedRandom>(std::vector<int>{}, 2, &seeds), FixedClock(5000));
    scripted.GenerateHeights();
    scripted.GenerateHeights();
    scripted.GenerateHeights();
    EXPECT_EQ(seeds, (std::vector<unsigned int>{5000, 5001, 5002}));

    CTerrainHeights heights(65, std::make_unique<CLibraryRandomSource>(), FixedClock(5000));
    heights.SetRoughness(0.6f);
    heights.GenerateHeights();
    const std::vector<float> first = AllSamples(heights);
    heights.GenerateHeights();
    EXPECT_NE(AllSamples(heights), first);
}

TEST(TerrainGenerationTest, SeederFollowsTheClockWhenItMovesOn)
{
    std::int64_t now = 100;
    CGenerationSeeder seeder([&now] { return now; });
    EXPECT_EQ(seeder.NextSeed(), 100u);
    now = 250;
    EXPECT_EQ(seeder.NextSeed(), 250u);
    now = 240;
    EXPECT_EQ(seeder.NextSeed(), 251u);
}

TEST(TerrainGenerationTest, SizeGridKeepsExistingRows)
{
    CTerrainHeights heights;
    heights.SetSample(10, 20, 5.0f);
    heights.SizeGrid();
    EXPECT_EQ(heights.GetSample(10, 20), 5.0f);
    heights.ClearHeights();
    EXPECT_EQ(heights.GetSample(10, 20), 0.0f);
}

} // namespace
