#include "terrain/heightfield.h"
#include "terrain/random.h"

#include <gtest/gtest.h>

#include <vector>

// The first outputs of the reference implementation's demo (pcg32_srandom_r with seed 42 and
// stream 54): a build whose arithmetic differs anywhere makes other terrains from the same seed.
TEST(Pcg32, MatchesTheReferenceSequence)
{
    Pcg32 random(42, 54);
    const std::vector<std::uint32_t> expected = {0xa15c02b7, 0x7b47f409, 0xba1d3330,
                                                 0x83d2f293, 0xbfa4784b, 0xcbed606e};
    std::vector<std::uint32_t> drawn;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        drawn.push_back(random.Next());
    }
    EXPECT_EQ(drawn, expected);
}

TEST(Pcg32, BelowStaysInRangeAndReachesEveryValue)
{
    Pcg32 random(7);
    std::vector<int> seen(7, 0);
    for (int i = 0; i < 7000; ++i) {
        const std::uint32_t value = random.Below(7);
        ASSERT_LT(value, 7u);
        ++seen[value];
    }
    for (const int count : seen) {
        EXPECT_GT(count, 800);
    }
}

TEST(Heightfield, SupportedSidesAndNearest)
{
    const std::pair<int, int> cases[] = {{2, 33},    {33, 33},     {48, 33},     {50, 65},      {64, 65},
                                         {100, 129}, {1000, 1025}, {3000, 2049}, {100000, 4097}};
    for (const auto& [side, nearest] : cases) {
        SCOPED_TRACE(side);
        EXPECT_EQ(NearestSupportedSide(side), nearest);
        EXPECT_EQ(IsSupportedSide(side), side == nearest);
    }
    const Heightfield field(65, 1.5f);
    EXPECT_FLOAT_EQ(field.Spacing(), 30.0f / 64.0f);
    EXPECT_EQ(field.Samples().size(), 65u * 65u);
    EXPECT_FLOAT_EQ(field.Row(64)[64], 1.5f);
}
