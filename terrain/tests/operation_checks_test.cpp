// What every terrain operation shares: input out of range is refused with a reason and changes
// nothing; progress reaches 1 at the end, and a cancelled progress stops the operation at its
// first check.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "terrain/brush.h"
#include "terrain/erosion_hydraulic.h"
#include "terrain/erosion_thermal.h"
#include "terrain/generation.h"
#include "terrain/resample.h"
#include "terrain/statistics.h"

namespace {

template <typename T> std::string ReasonOf(const Result<T>& result)
{
    return result.ok() ? "succeeded" : result.reason();
}

std::string HydraulicReason(const std::function<void(HydraulicErosionParameters&)>& change)
{
    HydraulicErosionParameters parameters;
    change(parameters);
    return ReasonOf(ErodeHydraulically(Heightfield(33), parameters));
}

// A terrain read from a damaged file.
Heightfield WithHeightsThatAreNotFinite()
{
    Heightfield field(33, 1.0f);
    field.At(10, 10) = std::nanf("");
    field.At(30, 20) = -INFINITY;
    return field;
}

std::string BrushReason(Brush brush, DabCentre centre = {3.0f, 4.0f})
{
    Heightfield field(33, 1.0f);
    const DabCentre dabs[] = {{10.0f, 10.0f}, centre};
    const std::string reason = ReasonOf(ApplyStroke(field, brush, dabs));
    return field == Heightfield(33, 1.0f) ? reason : "changed the terrain";
}

TEST(TerrainOperations, RefuseInputOutOfRangeWithAReason)
{
    const Brush brush = {BrushKind::Set, BrushFalloff::Smooth, 4.0f, 0.5f, 0.0f, 0};
    const struct {
        std::function<std::string()> run;
        const char* reason;
    } cases[] = {
        {[] {
             return ReasonOf(GenerateHeightfield({100, 0.5f, 1}));
         },
         "cannot generate a terrain: side 100 is not 2^k + 1 between 3 and 4097"},
        {[] {
             return ReasonOf(GenerateHeightfield({65, 1.5f, 1}));
         },
         "cannot generate a terrain: roughness 1.5 is not between 0 and 1"},
        {[] {
             return ReasonOf(GenerateHeightfield({65, std::nanf(""), 1}));
         },
         "cannot generate a terrain: roughness is not a number"},
        {[] { return ReasonOf(ResampleHeightfield(Heightfield(), 65)); },
         "cannot resample the terrain: it has no samples"},
        {[] { return ReasonOf(ResampleHeightfield(Heightfield(65), 4098)); },
         "cannot resample the terrain: side 4098 is not between 2 and 4097"},
        {[] { return ReasonOf(ResampleHeightfield(WithHeightsThatAreNotFinite(), 65)); },
         "cannot resample the terrain: it has heights that are not finite numbers"},
        {[] { return ReasonOf(ComputeTerrainStatistics(WithHeightsThatAreNotFinite(), 0.0f)); },
         "cannot describe the terrain: it has heights that are not finite numbers"},
        {[] { return ReasonOf(ErodeThermally(WithHeightsThatAreNotFinite(), {})); },
         "cannot erode the terrain: it has heights that are not finite numbers"},
        {[] { return ReasonOf(ErodeHydraulically(WithHeightsThatAreNotFinite(), {})); },
         "cannot erode the terrain: it has heights that are not finite numbers"},
        {[] { return ReasonOf(ComputeTerrainStatistics(Heightfield(), 0.0f)); },
         "cannot describe the terrain: it has no samples"},
        {[] { return ReasonOf(ComputeTerrainStatistics(Heightfield(33), std::nanf(""))); },
         "cannot describe the terrain: the water level is not a number"},
        {[&] {
             return BrushReason({brush.kind, brush.falloff, 300.0f, 0.5f, 0.0f, 0});
         },
         "cannot paint with the brush: radius 300 is not between 1 and 256"},
        {[&] {
             return BrushReason({brush.kind, brush.falloff, 4.0f, -0.5f, 0.0f, 0});
         },
         "cannot paint with the brush: strength -0.5 is not between 0 and 1"},
        {[&] {
             return BrushReason({brush.kind, brush.falloff, 4.0f, 0.5f, INFINITY, 0});
         },
         "cannot paint with the brush: height inf is not a finite number"},
        {[&] {
             return BrushReason(brush, {NAN, 3.0f});
         },
         "cannot paint with the brush: a dab's centre is not a finite number"},
        {[] {
             return ReasonOf(ErodeThermally(Heightfield(33), {90.0f, 10, 0.5f}));
         },
         "cannot erode the terrain: talus angle 90 is not between 0 and 89"},
        {[] {
             return ReasonOf(ErodeThermally(Heightfield(33), {30.0f, 10, 1.5f}));
         },
         "cannot erode the terrain: rate 1.5 is not between 0 and 1"},
        {[] { return ReasonOf(ErodeThermally(Heightfield(), {})); }, "cannot erode the terrain: it has no samples"},
        {[] { return ReasonOf(ErodeHydraulically(Heightfield(), {})); }, "cannot erode the terrain: it has no samples"},
        {[] { return HydraulicReason([](auto& p) { p.droplets = 0; }); },
         "cannot erode the terrain: droplets 0 is not between 1 and 1e+07"},
        {[] { return HydraulicReason([](auto& p) { p.sedimentCapacity = -1.0f; }); },
         "cannot erode the terrain: sediment capacity -1 is not between 0 and 64"},
        {[] { return HydraulicReason([](auto& p) { p.minSlope = std::nanf(""); }); },
         "cannot erode the terrain: minimum slope is not a number"},
        {[] { return HydraulicReason([](auto& p) { p.maxLifetime = 0; }); },
         "cannot erode the terrain: lifetime 0 is not between 1 and 1000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        EXPECT_EQ(c.run(), c.reason);
    }
}

TEST(TerrainOperations, StopAtTheFirstCheckWhenCancelled)
{
    HydraulicErosionParameters droplets;
    droplets.droplets = 4000;
    const struct {
        const char* name;
        std::function<std::string(Progress*)> run;
        double fraction;
    } cases[] = {
        // The first of 16 squares of side 64.
        {"generation",
         [](Progress* p) {
             return ReasonOf(GenerateHeightfield({257, 0.5f, 1}, p));
         },
         1.0 / 16.0},
        {"resampling", [](Progress* p) { return ReasonOf(ResampleHeightfield(Heightfield(65), 1025, p)); },
         64.0 / 1025.0},
        {"statistics", [](Progress* p) { return ReasonOf(ComputeTerrainStatistics(Heightfield(257), 0.0f, p)); },
         64.0 / 257.0},
        {"thermal erosion",
         [](Progress* p) {
             return ReasonOf(ErodeThermally(Heightfield(65), {30.0f, 100, 0.5f}, p));
         },
         0.01},
        {"hydraulic erosion", [&](Progress* p) { return ReasonOf(ErodeHydraulically(Heightfield(65), droplets, p)); },
         0.25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Progress finished;
        EXPECT_EQ(c.run(&finished), "succeeded");
        EXPECT_EQ(finished.Fraction(), 1.0);
        Progress cancelled;
        cancelled.Cancel();
        EXPECT_EQ(c.run(&cancelled), "cancelled");
        EXPECT_EQ(cancelled.Fraction(), c.fraction);
    }
}

} // namespace
