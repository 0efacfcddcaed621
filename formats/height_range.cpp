#include "formats/height_range.h"

#include "formats/internal/numbers.h"

#include <algorithm>
#include <cmath>

bool IsValidRange(HeightRange range)
{
    return std::isfinite(range.low) && std::isfinite(range.high) && range.low <= range.high;
}

std::string DescribeRange(HeightRange range) { return ShortestText(range.low) + " to " + ShortestText(range.high); }

Result<HeightRange> RangeOf(const Heightfield& heights)
{
    const auto samples = heights.Samples();
    if (samples.empty()) {
        return Failure{"the terrain is empty"};
    }
    if (!std::all_of(samples.begin(), samples.end(), [](float h) { return std::isfinite(h); })) {
        return Failure{"the terrain holds a height that is not a finite number"};
    }
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    return HeightRange{*low, *high};
}

Result<HeightRange> LevelRangeFor(const Heightfield& heights, const std::optional<HeightRange>& requested)
{
    const Result<HeightRange> own = RangeOf(heights);
    if (!own || !requested) {
        return own;
    }
    if (!IsValidRange(*requested)) {
        return Failure{"the height range " + DescribeRange(*requested) + " is not a range"};
    }
    if (own.value().low < requested->low || own.value().high > requested->high) {
        return Failure{"the heights run from " + DescribeRange(own.value()) + ", outside the chosen range " +
                       DescribeRange(*requested)};
    }
    return *requested;
}

std::uint16_t LevelOf(float height, HeightRange range)
{
    const double span = static_cast<double>(range.high) - range.low;
    if (span <= 0.0) {
        return 0;
    }
    const double level = std::round((static_cast<double>(height) - range.low) / span * kTopLevel16);
    return static_cast<std::uint16_t>(std::clamp(level, 0.0, static_cast<double>(kTopLevel16)));
}

float HeightOfLevel(unsigned level, unsigned topLevel, HeightRange range)
{
    const double span = static_cast<double>(range.high) - range.low;
    return static_cast<float>(range.low + span * level / topLevel);
}
