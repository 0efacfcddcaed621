// Terrains for the format tests: smooth hills with seeded noise, the same on every run.
#pragma once

#include "terrain/heightfield.h"
#include "terrain/random.h"

#include <cmath>

inline Heightfield TestTerrain(int side, std::uint64_t seed = 7)
{
    Pcg32 random(seed);
    Heightfield heights(side);
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            const float x = static_cast<float>(column) / static_cast<float>(side - 1);
            const float z = static_cast<float>(row) / static_cast<float>(side - 1);
            heights.At(row, column) = 3.0f + 6.0f * std::sin(7.0f * x) * std::cos(5.0f * z) + random.Unit() - 0.5f;
        }
    }
    return heights;
}

// The largest difference between two heightfields of one side.
inline float LargestDifference(const Heightfield& a, const Heightfield& b)
{
    float largest = 0.0f;
    for (std::size_t i = 0; i < a.Samples().size(); ++i) {
        largest = std::max(largest, std::abs(a.Samples()[i] - b.Samples()[i]));
    }
    return largest;
}
