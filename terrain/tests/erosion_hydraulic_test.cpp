#include "terrain/erosion_hydraulic.h"

#include <gtest/gtest.h>

#include <cmath>

#include "terrain/generation.h"
#include "terrain/tests/test_fields.h"

namespace {

HydraulicErosionParameters WithDroplets(int droplets, std::uint64_t seed = 1)
{
    HydraulicErosionParameters parameters;
    parameters.droplets = droplets;
    parameters.seed = seed;
    return parameters;
}

HydraulicErosion Eroded(const Heightfield& field, const HydraulicErosionParameters& parameters)
{
    Result<HydraulicErosion> eroded = ErodeHydraulically(field, parameters);
    EXPECT_TRUE(eroded.ok()) << eroded.reason();
    return eroded.ok() ? std::move(eroded).value() : HydraulicErosion();
}

Heightfield Hills() { return GenerateHeightfield({129, 0.7f, 5}).value(); }

TEST(HydraulicErosion, AccountsForAllMaterialItMoves)
{
    const auto steep = [] {
        auto p = WithDroplets(20000);
        p.erosionRadius = 1;
        p.inertia = 0.5f;
        p.sedimentCapacity = 16.0f;
        p.deposition = 1.0f;
        return p;
    }();
    const auto dry = [] {
        auto p = WithDroplets(4000);
        p.evaporation = 0.2f;
        p.erosionRadius = 8;
        p.maxLifetime = 200;
        return p;
    }();
    const struct {
        const char* name;
        Heightfield field;
        HydraulicErosionParameters parameters;
    } cases[] = {
        {"hills, defaults", Hills(), WithDroplets(20000)},
        {"hills, radius 1, inertia, heavy loads", Hills(), steep},
        {"hills, quick evaporation, radius 8, long lives", Hills(), dry},
        {"tilted plane", FieldFrom(65, [](double x, double z) { return 0.3 * x + 0.1 * z; }), WithDroplets(5000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HydraulicErosion eroded = Eroded(c.field, c.parameters);
        const ErosionReport& report = eroded.report;
        ASSERT_GT(report.removed, 0.0);
        EXPECT_GT(report.deposited, 0.0);
        EXPECT_GT(report.carriedAway, 0.0);
        EXPECT_NEAR(report.deposited + report.carriedAway, report.removed, report.removed * 1e-3);
        EXPECT_NEAR(SumOf(eroded.field) - SumOf(c.field), report.deposited - report.removed, report.removed * 1e-3);
    }
}

TEST(HydraulicErosion, LowersAPeakAndFillsAPit)
{
    const Heightfield cone =
        FieldFrom(129, [](double x, double z) { return std::max(0.0, 6.0 - 0.8 * std::hypot(x, z)); });
    const Heightfield bowl = FieldFrom(129, [](double x, double z) { return (x * x + z * z) / 50.0; });
    const Heightfield erodedCone = Eroded(cone, WithDroplets(30000)).field;
    const Heightfield erodedBowl = Eroded(bowl, WithDroplets(30000)).field;
    EXPECT_LT(erodedCone.At(64, 64), cone.At(64, 64) - 0.05f);
    EXPECT_GT(erodedBowl.At(64, 64), bowl.At(64, 64) + 0.05f);
}

TEST(HydraulicErosion, SameSeedGivesTheSameHeights)
{
    const Heightfield hills = Hills();
    const HydraulicErosion first = Eroded(hills, WithDroplets(5000, 11));
    const HydraulicErosion second = Eroded(hills, WithDroplets(5000, 11));
    EXPECT_EQ(first.field, second.field);
    EXPECT_EQ(first.report.removed, second.report.removed);
    EXPECT_NE(first.field, Eroded(hills, WithDroplets(5000, 12)).field);
}

} // namespace
