// The heights that a file's integer levels stand for, and the conversion between the two.
// Levels are spread evenly from range.low (level 0) to range.high (the top level), so a height
// comes back within (high - low) / 65535 after a 16-bit round trip.
#pragma once

#include "base/result.h"
#include "terrain/heightfield.h"

#include <cstdint>
#include <optional>
#include <string>

struct HeightRange {
    float low = 0.0f;
    float high = 0.0f;

    bool operator==(const HeightRange&) const = default;
};

// Both ends finite and low <= high.
bool IsValidRange(HeightRange range);
// "0 to 15".
std::string DescribeRange(HeightRange range);

// The lowest and highest height; fails when a height is not a finite number.
Result<HeightRange> RangeOf(const Heightfield& heights);

// The range a writer spreads 16-bit levels over: requested when given (it must be valid and hold
// every height), else the heights' own.
Result<HeightRange> LevelRangeFor(const Heightfield& heights, const std::optional<HeightRange>& requested);

inline constexpr unsigned kTopLevel16 = 65535;

// The nearest of the 65536 levels to height (clamped to the range).
std::uint16_t LevelOf(float height, HeightRange range);
// The height level stands for, with topLevel standing for range.high (255 for 8-bit files).
float HeightOfLevel(unsigned level, unsigned topLevel, HeightRange range);
